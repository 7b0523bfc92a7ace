#!/bin/sh
# The Debian package: lintian finds no error, it depends on the packages the
# programs link, it holds the installation in /opt/gearloft with its layout
# mark, the launcher, the menu entry and the metainfo but no uninstaller, and
# the client started by an ordinary user from the read-only installation
# keeps its settings in that user's data folder.
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
for unmoor in Unmoor AppConfig.xml .gearloft-manifest rcc translations/unmoor_en.qm; do
    [ ! -e "$root/opt/gearloft/$unmoor" ] || fail "the package carries the uninstaller's $unmoor"
done
[ "$(readlink "$root/usr/bin/gearloft")" = /opt/gearloft/Gearloft ] || fail "the launcher does not lead to the client"
check "desktop-file-validate passes" desktop-file-validate "$root/usr/share/applications/com.brelvonix.Gearloft.desktop"
check "appstreamcli validate passes" \
    appstreamcli validate --no-net "$root/usr/share/metainfo/com.brelvonix.Gearloft.metainfo.xml" >/dev/null
check "the icon is in the theme" test -s "$root/usr/share/icons/hicolor/256x256/apps/com.brelvonix.Gearloft.png"

# Started by the account from the unpacked tree, which it may not write (as
# root the tree is root's; otherwise it is made read-only).
opt=$root/opt/gearloft
set_setup "$opt/Setup.xml" IsFirstLoading 0
[ "$(id -u)" -eq 0 ] || chmod -R a-w "$opt"
before=$(cd "$opt" && find . | sort && cat Setup.xml)
home=$(make_home user)
data=$home/.local/share/Gearloft
# What a killed service left: the service sweeps the data folder it was given.
mkdir -p "$data"
chmod 0700 "$data"
leftover=$data/.haulmoor-99999999-1-package
echo left >"$leftover"
[ "$(id -u)" -ne 0 ] || chown -R "$user" "$home/.local"
await_gone=$leftover run_client "$home" "$opt/Gearloft"
check "the service works in the account's data folder" test ! -e "$leftover"
check "the data folder is the account's own" test "$(stat -c %U:%a "$data")" = "$user:700"
check "the client saved its download folder in the account's settings" \
    grep -qxF "<Value>$data/Download</Value>" "$data/Setup.xml"
check "the material was seeded" test -s "$data/ToolsFile/ToolsInfoList.xml"
[ "$(cd "$opt" && find . | sort && cat Setup.xml)" = "$before" ] || fail "the client wrote into /opt/gearloft"
echo "deb package: all steps passed"
