#!/usr/bin/env bash
# Generates the demo cloud: a static folder laid out as the package service
# publishes it, for nginx to serve. Usage: make-cloud.sh CLOUD_DIR
set -euo pipefail
cloud=${1:?usage: make-cloud.sh CLOUD_DIR}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$cloud"

# package DIR ZIP: zips the folder DIR's content and writes the metadata file
# beside the package.
package() {
  local src=$1 zipfile=$2
  mkdir -p "$(dirname "$zipfile")"
  rm -f "$zipfile"
  (cd "$src" && zip -qr -X "$zipfile" .)
  local size
  size=$(stat -c %s "$zipfile")
  printf '{"package_size": %s}\n' "$size" >"${zipfile%.zip}.json"
}

index() {
  local file=$1; shift
  mkdir -p "$(dirname "$file")"
  local entries="" v
  for v in "$@"; do
    entries+="${entries:+,}{\"version\":\"$v\"}"
  done
  printf '{"app":[%s]}\n' "$entries" >"$file"
}

# A demo tool: a small program that says who it is.
make_tool() {
  local name=$1 version=$2 lang=$3 payload_mib=${4:-0}
  local dir="$work/$lang/$name/$name"
  mkdir -p "$dir"
  cat >"$dir/$name" <<TOOL
#!/bin/sh
echo "$name $version running in \$(pwd)"
exec sleep 600
TOOL
  chmod 755 "$dir/$name"
  printf '%s %s\n' "$name" "$version" >"$dir/readme.txt"
  if [ "$payload_mib" -gt 0 ]; then
    head -c "$((payload_mib * 1024 * 1024))" /dev/urandom >"$dir/data.bin"
  fi
  package "$work/$lang/$name" "$cloud/$lang/tools/$name/$name.zip"
}

for lang in en cn; do
  make_tool NetProbe 1.0.0.2 "$lang"
  make_tool DiskPilot 2.1.0.0 "$lang" 3
  index "$cloud/$lang/4200/tool/windows/gearloft/package.json" 1.1.0.5 1.1.0.6
  index "$cloud/$lang/4200/tool/windows/material/package.json" 1.0.0.1 1.0.0.2
done
echo "demo cloud written to $cloud"
