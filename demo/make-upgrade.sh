#!/usr/bin/env bash
# Publishes a newer main program on the demo cloud: the program files of an
# installation, under the folder Gearloft/ that the service unpacks into the
# user's home folder and the self-upgrade copies over the installation.
# Settings, tool states and the catalog material stay out of the package, so
# an upgrade never overwrites what the user has.
#
# PROGRAM is the main program built as VERSION (the build's demo/nextversion/
# Gearloft): it replaces the installation's own, so that the client that
# comes back after the upgrade really is the newer version and offers no
# update again. Given signpackage and a private key, the metadata is signed
# (Gearloft.json.sig).
#
# Usage: make-upgrade.sh INSTALL_DIR CLOUD_DIR VERSION PROGRAM [SIGNPACKAGE PRIVATE_KEY]
set -euo pipefail
usage="usage: make-upgrade.sh INSTALL_DIR CLOUD_DIR VERSION PROGRAM [SIGNPACKAGE PRIVATE_KEY]"
install=${1:?$usage}
cloud=${2:?$usage}
version=${3:?$usage}
program=${4:?$usage}
signpackage=${5:-}
signing_key=${6:-}
if [ -n "$signpackage" ] && [ -z "$signing_key" ]; then echo "$usage" >&2; exit 2; fi
[[ $version =~ ^[0-9]+\.[0-9]+\.[0-9]+\.[0-9]+$ ]] || { echo "make-upgrade.sh: '$version' is not four numbers" >&2; exit 2; }
[ -x "$install/Gearloft" ] || { echo "make-upgrade.sh: no installation in $install" >&2; exit 1; }
[ -x "$program" ] || { echo "make-upgrade.sh: no main program at $program" >&2; exit 1; }
# A package whose program is not the version it is published as would be
# offered again after every upgrade.
grep -aqF -- "$version" "$program" ||
  { echo "make-upgrade.sh: $program was not built as $version" >&2; exit 1; }
cloud=$(mkdir -p "$cloud" && cd "$cloud" && pwd)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/Gearloft"
(cd "$install" && tar -cf - --exclude=./Setup.xml --exclude=./ToolsStateList.xml --exclude=./ToolsLocalInfo.xml \
  --exclude=./ToolsFile --exclude=./ToolsFileTemp --exclude=./Download .) | tar -xf - -C "$work/Gearloft"
cp -- "$program" "$work/Gearloft/Gearloft"
printf '%s\n' "$version" >"$work/Gearloft/version.txt"
# Debugging data would make the download several times larger.
find "$work/Gearloft" -type f \( -perm -u+x -o -name '*.so' \) -exec strip --strip-unneeded {} \; 2>/dev/null || true
(cd "$work" && zip -q -r -X -y Gearloft.zip Gearloft)

for tree in en cn; do
  for edition in en zh; do
    dir=$cloud/$tree/4200/tool/windows/gearloft/v$version/standard/$edition
    mkdir -p "$dir"
    cp "$work/Gearloft.zip" "$dir/Gearloft.zip"
    printf '{"package_size": %s, "sha256": "%s", "file": "Gearloft.zip"}\n' "$(stat -c %s "$dir/Gearloft.zip")" \
      "$(sha256sum "$dir/Gearloft.zip" | cut -d' ' -f1)" >"$dir/Gearloft.json"
    [ -z "$signpackage" ] || "$signpackage" sign "$signing_key" "$dir/Gearloft.json"
  done
done
echo "main program $version published ($(stat -c %s "$work/Gearloft.zip") bytes)"
