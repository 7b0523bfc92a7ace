#!/usr/bin/env bash
# Generates the demo cloud: a static folder laid out as the package service
# publishes it, for nginx to serve, with an English tree en/ and a Chinese
# tree cn/ (the two server addresses of Setup.xml):
#
#   tools/<Folder>/<Folder>.zip + .json      every tool of demo/tools.list
#   4200/tool/windows/material/package.json  material versions 1.0.0.1, 1.0.0.2
#   4200/tool/windows/material/v1.0.0.2/standard/{en,zh}/Material.zip + .json
#   4200/tool/windows/gearloft/package.json  main program versions 1.1.0.5, 1.1.0.6
#
# Every ".json" carries the package's "sha256" and its file name ("file");
# the tool with key $bad_checksum_key gets a wrong checksum, so the demo
# shows a download that fails its check and installs nothing. Given
# signpackage and a private key, every ".json" (metadata and package
# indexes) is signed: NAME.json.sig beside it.
#
# A tool package holds the folder <Folder>/ (ExeName without ".exe") with a
# copy of the demo tool program named after the tool, version.txt, a readme
# and, for tools with a payload, data.bin of random bytes (generated here,
# so the big tool's package really is that big and does not compress).
# Usage: make-cloud.sh CLOUD_DIR DEMOTOOL_BINARY [SIGNPACKAGE PRIVATE_KEY]
set -euo pipefail
usage="usage: make-cloud.sh CLOUD_DIR DEMOTOOL_BINARY [SIGNPACKAGE PRIVATE_KEY]"
cloud=${1:?$usage}
program=${2:?$usage}
signpackage=${3:-}
signing_key=${4:-}
if [ -n "$signpackage" ] && [ -z "$signing_key" ]; then echo "$usage" >&2; exit 2; fi
here=$(cd "$(dirname "$0")" && pwd)
list=${GEARLOFT_TOOLS_LIST:-$here/tools.list}
material_versions=(1.0.0.1 1.0.0.2)
bad_checksum_key=${GEARLOFT_BAD_CHECKSUM_KEY:-20}
bad_signature_key=${GEARLOFT_BAD_SIGNATURE_KEY:-21}
manager_versions=(1.1.0.5 1.1.0.6)

if [ ! -x "$program" ]; then
  echo "make-cloud.sh: the demo tool program $program is missing; build the target gearloft_demotool" >&2
  exit 1
fi
# shellcheck source-path=SCRIPTDIR source=catalog.sh
. "$here/catalog.sh"
catalog_load "$list"

mkdir -p "$cloud"
cloud=$(cd "$cloud" && pwd)
work=$(mktemp -d "$(dirname "$cloud")/.make-cloud.XXXXXX")
trap 'rm -rf "$work"' EXIT

# metadata ZIP [wrong]: the ".json" beside a package, with its exact length
# and its SHA-256 (with "wrong", one that does not match: every digit
# turned to the next, so it is still 64 hex digits).
metadata() {
  local sum
  sum=$(sha256sum "$1" | cut -d' ' -f1)
  [ "${2:-}" != wrong ] || sum=$(printf '%s' "$sum" | tr '0-9a-f' '1-9a-f0')
  printf '{"package_size": %s, "sha256": "%s", "file": "%s"}\n' "$(stat -c %s "$1")" "$sum" \
    "$(basename "$1")" >"${1%.zip}.json"
}

# index FILE VERSION...: a package index listing the releases, oldest first.
index() {
  local file=$1; shift
  mkdir -p "$(dirname "$file")"
  local entries="" v
  for v in "$@"; do
    entries+="${entries:+,}{\"version\":\"$v\"}"
  done
  printf '{"app":[%s]}\n' "$entries" >"$file"
}

readme() { # readme KEY LANG
  local key=$1
  if [ "$2" = cn ]; then
    printf '%s %s\n\n%s\n\n%s\n\n本文件夹中是 Gearloft 的演示工具：所有演示工具都是同一个小窗口程序，只是以各自的工具名命名。\n' \
      "${T_CH[key]}" "${T_VERSION[key]}" "${T_BRIEF_CH[key]}" "${T_UPDATE_CH[key]}"
  else
    printf '%s %s\n\n%s\n\n%s\n\nThis folder holds a Gearloft demo tool: every demo tool is the same small window program under its own tool name.\n' \
      "${T_EN[key]}" "${T_VERSION[key]}" "${T_BRIEF_EN[key]}" "${T_UPDATE_EN[key]}"
  fi
}

# The program once, without its debugging data.
strip -o "$work/program" "$program" 2>/dev/null || cp "$program" "$work/program"
chmod 755 "$work/program"

for key in "${CATALOG_KEYS[@]}"; do
  folder=$(tool_folder "$key")
  payload=""
  if [ "${T_PAYLOAD[key]}" -gt 0 ]; then
    payload=$work/payload.bin
    head -c "$((T_PAYLOAD[key] * 1024 * 1024))" /dev/urandom >"$payload"
  fi
  for lang in en cn; do
    stage=$work/stage/$lang/$key
    mkdir -p "$stage/$folder"
    cp "$work/program" "$stage/$folder/$(tool_program "$key")"
    printf '%s\n' "${T_VERSION[key]}" >"$stage/$folder/version.txt"
    readme "$key" "$lang" >"$stage/$folder/readme.txt"
    [ -z "$payload" ] || ln "$payload" "$stage/$folder/data.bin" 2>/dev/null || cp "$payload" "$stage/$folder/data.bin"
    zipfile=$cloud/$lang/$(tool_package "$key")
    mkdir -p "$(dirname "$zipfile")"
    rm -f "$zipfile"
    # Random data does not shrink: store data.bin as it is.
    (cd "$stage" && zip -q -r -X -n .bin "$zipfile" "$folder")
    if [ "$key" = "$bad_checksum_key" ]; then metadata "$zipfile" wrong; else metadata "$zipfile"; fi
  done
  rm -rf "$work/stage" "$work/payload.bin"
done

# The newer material: the content of its ToolsFile folder at the top of the
# zip, since the service unpacks it into ToolsFileTemp/, which the client
# copies into ToolsFile/ at its next start. Both language editions carry all
# pictures, so the two zips are the same file.
newest_material=${material_versions[-1]}
"$here/make-material.sh" "$work/material" "$newest_material" >/dev/null
(cd "$work/material/ToolsFile" && zip -q -r -X "$work/Material.zip" .)
for lang in en cn; do
  for edition in en zh; do
    zipfile=$cloud/$lang/4200/tool/windows/material/v$newest_material/standard/$edition/Material.zip
    mkdir -p "$(dirname "$zipfile")"
    cp "$work/Material.zip" "$zipfile"
    metadata "$zipfile"
  done
  index "$cloud/$lang/4200/tool/windows/material/package.json" "${material_versions[@]}"
  index "$cloud/$lang/4200/tool/windows/gearloft/package.json" "${manager_versions[@]}"
done
if [ -n "$signpackage" ]; then
  find "$cloud" -name '*.json' -print0 | xargs -0 "$signpackage" sign "$signing_key"
  if [ -n "${T_EN[$bad_signature_key]:-}" ]; then
    for lang in en cn; do metadata "$cloud/$lang/$(tool_package "$bad_signature_key")" wrong; done
  fi
fi
echo "demo cloud written to $cloud (${#CATALOG_KEYS[@]} tools, material $newest_material${signpackage:+, signed})"
