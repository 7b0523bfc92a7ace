#!/bin/sh
# The Debian package: lintian finds no error, it depends on the packages the
# programs link, it holds the installation in /opt/gearloft with its layout
# mark, the launcher, the menu entry and the metainfo, and the client starts
# from a scratch root it was unpacked into.
#   tst_debpackage.sh BUILD_DIR
set -eu
build=$1
. "$(dirname "$0")/packagingtest.sh"

out=$scratch/packages
mkdir -p "$out"
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$out" >"$scratch/cpack.log" 2>&1 ||
    { cat "$scratch/cpack.log" >&2; fail "cpack makes the package"; }
deb=$(ls "$out"/gearloft_*_amd64.deb)

command -v lintian >/dev/null || fail "lintian is missing (scripts/install-deps.sh)"
lintian --fail-on error --no-tag-display-limit "$deb" >"$scratch/lintian.out" 2>&1 ||
    { cat "$scratch/lintian.out" >&2; fail "lintian reports errors"; }

depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt5core5a libqt5widgets5 libqt5webenginewidgets5 libcurl4 libarchive13 libjsoncpp25; do
    echo "$depends" | grep -q "\\b$needed\\b" || fail "Depends lacks $needed: $depends"
done

root=$scratch/root
dpkg -x "$deb" "$root"
check "the client is in /opt/gearloft" test -x "$root/opt/gearloft/Gearloft"
check "the layout mark is there" test -f "$root/opt/gearloft/.gearloft-package"
check "the manifest is there" grep -qx Haulmoor "$root/opt/gearloft/.gearloft-manifest"
[ "$(readlink "$root/usr/bin/gearloft")" = /opt/gearloft/Gearloft ] || fail "the launcher does not lead to the client"
check "desktop-file-validate passes" desktop-file-validate "$root/usr/share/applications/com.brelvonix.Gearloft.desktop"
check "appstreamcli validate passes" \
    appstreamcli validate --no-net "$root/usr/share/metainfo/com.brelvonix.Gearloft.metainfo.xml" >/dev/null
check "the icon is in the theme" test -s "$root/usr/share/icons/hicolor/256x256/apps/com.brelvonix.Gearloft.png"

# Started from the unpacked tree (its own copy, which the account may write).
[ "$(id -u)" -ne 0 ] || chown -R "$user" "$root/opt/gearloft"
home=$(make_home user)
set_setup "$root/opt/gearloft/Setup.xml" IsFirstLoading 0
run_client "$home" "$root/opt/gearloft/Gearloft"
echo "deb package: all steps passed"
