#!/bin/sh
# The per-user installer as a new user meets it: missing libraries named in
# one apt-get line, an install into a fresh home with the menu entry, icon
# and software-centre data, the client started from it, an upgrade in place
# that keeps what the user made, and the uninstall that leaves nothing else.
#   tst_installer.sh BUILD_DIR UNMOOR_CORERUN
set -eu
build=$1
corerun=$2
. "$(dirname "$0")/packagingtest.sh"

out=$scratch/packages
mkdir -p "$out"
check "cpack makes the installer" cpack --config "$build/CPackConfig.cmake" -G STGZ -B "$out" >"$scratch/cpack.log" 2>&1 ||
    { cat "$scratch/cpack.log" >&2; exit 1; }
installer=$(ls "$out"/Gearloft-*-linux-x86_64.sh)
chmod 0755 "$installer"
app_id=com.brelvonix.Gearloft
key_dir=.local/share/Brelvonix/registry/HKEY_CURRENT_USER/SOFTWARE/Microsoft/Windows/CurrentVersion/Uninstall

# 1. A library missing: the one line that adds it, and nothing written.
home=$(make_home missing)
mkdir "$scratch/fakebin"
cat >"$scratch/fakebin/dpkg-query" <<'EOF'
#!/bin/sh
for last; do :; done
case $last in libqt5core5a) echo not-installed ;; *) echo installed ;; esac
EOF
chmod 0755 "$scratch/fakebin/dpkg-query"
status=0
FAKE_PATH=$scratch/fakebin
as_user "$home" sh "$installer" >"$scratch/missing.out" 2>&1 || status=$?
FAKE_PATH=
[ "$status" -ne 0 ] || fail "the installer went on without libqt5core5a"
check "one apt-get line names what is missing" grep -qx "  sudo apt-get install libqt5core5a" "$scratch/missing.out"
[ ! -e "$home/.local" ] || fail "a refused install wrote into the home folder"

# 2. A fresh install, no questions asked without a terminal.
home=$(make_home user)
prefix=$home/.local/share/Gearloft
as_user "$home" sh "$installer" >"$scratch/install.out" 2>&1 || { cat "$scratch/install.out" >&2; fail "install"; }
check "the client is installed" test -x "$prefix/Gearloft"
check "the manifest lists the client" grep -qx Gearloft "$prefix/.gearloft-manifest"
check "the product key names the installation" grep -qxF "installpath=\"$prefix\"" "$home/$key_dir/"*.ini
entry=$home/.local/share/applications/$app_id.desktop
check "the menu entry starts the client" grep -qxF "Exec=\"$prefix/Gearloft\"" "$entry"
check "the menu entry offers the uninstall" grep -qxF "Exec=\"$prefix/Unmoor\"" "$entry"
for icon in 48x48/apps/$app_id.png 128x128/apps/$app_id.png 256x256/apps/$app_id.png scalable/apps/$app_id.svg; do
    check "icon $icon" test -s "$home/.local/share/icons/hicolor/$icon"
done
check "desktop-file-validate passes" desktop-file-validate "$entry"
check "appstreamcli validate passes" appstreamcli validate --no-net "$home/.local/share/metainfo/$app_id.metainfo.xml" >/dev/null

# 3. The user's first start, past the first-run question.
set_setup "$prefix/Setup.xml" IsFirstLoading 0
run_client "$home" "$prefix/Gearloft"
log_mode=$(stat -c %a "$home/.local/state/Gearloft/gearloft.log")
[ "$log_mode" = 600 ] || fail "the log file is $log_mode, not 600"

# 4. Run again: an upgrade in place that keeps the settings and the tools.
set_setup "$prefix/Setup.xml" TransferMode 0
mkdir -p "$prefix/Download/SubTools/Hammer"
echo tool >"$prefix/Download/SubTools/Hammer/Hammer"
# What the client records of its tools (an update skipped).
printf '<Tools><Tool><ToolKey>2</ToolKey><SkippedVersion>2.0</SkippedVersion></Tool></Tools>\n' \
    >"$prefix/ToolsLocalInfo.xml"
[ "$(id -u)" -ne 0 ] || chown "$user" "$prefix/ToolsLocalInfo.xml"
[ "$(id -u)" -ne 0 ] || chown -R "$user" "$prefix/Download"
as_user "$home" sh "$installer" >"$scratch/upgrade.out" 2>&1 || { cat "$scratch/upgrade.out" >&2; fail "upgrade"; }
check "the second run upgrades" grep -q "^Upgrade Gearloft" "$scratch/upgrade.out"
check "the user's setting stays" grep -A1 "<TransferMode>" "$prefix/Setup.xml" | grep -q "<Value>0</Value>"
check "the user's tool stays" test -s "$prefix/Download/SubTools/Hammer/Hammer"
check "the skipped update stays" grep -q "<SkippedVersion>2.0<" "$prefix/ToolsLocalInfo.xml"
check "the manifest is whole" grep -qx Setup.xml "$prefix/.gearloft-manifest"
for work in "$home/.local/share"/.gearloft-install-*; do
    [ ! -e "$work" ] || fail "the installer left its work folder $work"
done

# 5. The uninstall (Unmoor's steps, without its window) from the installation.
cp "$corerun" "$prefix/unmoor-steps"
[ "$(id -u)" -ne 0 ] || chown "$user" "$prefix/unmoor-steps"
as_user "$home" "$prefix/unmoor-steps" >"$scratch/uninstall.out" 2>&1 || { cat "$scratch/uninstall.out" >&2; fail "uninstall"; }
rm -f "$prefix/unmoor-steps"
# What stays is what the user made: the tool and the logs.
left=$(cd "$home" && find . ! -type d ! -path './.local/state/Gearloft/*' ! -path './runtime/*' | sort)
[ "$left" = "./.local/share/Gearloft/Download/SubTools/Hammer/Hammer" ] ||
    fail "left behind after the uninstall: $left"

# 6. --prefix: another folder; a folder of other files is refused untouched.
home=$(make_home elsewhere)
mkdir "$home/papers"
echo mine >"$home/papers/letter"
[ "$(id -u)" -ne 0 ] || chown -R "$user" "$home/papers"
status=0
as_user "$home" sh "$installer" --prefix "$home/papers" >"$scratch/refused.out" 2>&1 || status=$?
[ "$status" -ne 0 ] || fail "installed into a folder of other files"
[ "$(ls -A "$home/papers")" = letter ] || fail "the refused install changed the folder"
as_user "$home" sh "$installer" --prefix "$home/apps/gl" >"$scratch/prefix.out" 2>&1 || { cat "$scratch/prefix.out" >&2; fail "--prefix"; }
check "--prefix installs there" test -x "$home/apps/gl/Gearloft"
check "the key names the chosen folder" grep -qxF "installpath=\"$home/apps/gl\"" "$home/$key_dir/"*.ini
echo "installer: all steps passed"
