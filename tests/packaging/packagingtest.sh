# Shared by the packaging tests (sourced): a scratch folder, an ordinary
# account to act as, and the client started and ended on the virtual screen.

fail() {
    echo "FAIL: $*" >&2
    exit 1
}
check() {
    # check DESCRIPTION COMMAND...: the command must succeed.
    what=$1
    shift
    "$@" || fail "$what"
}

# The account the user's steps run as: this one, or an ordinary one when
# the tests run as root (an installer meant for users must work without it).
if [ "$(id -u)" -eq 0 ]; then
    user=gearloft-other
    id -u "$user" >/dev/null 2>&1 ||
        useradd --system --no-create-home --shell /usr/sbin/nologin "$user" ||
        fail "cannot make the account $user"
else
    user=$(id -un)
fi

FAKE_PATH=
scratch=$(mktemp -d "${TMPDIR:-/tmp}/gearloft-packaging-XXXXXX")
chmod 0755 "$scratch"
client_pid=
cleanup() {
    if [ -n "$client_pid" ]; then
        kill "$(client_process)" "$client_pid" 2>/dev/null || true
    fi
    chmod -R u+w "$scratch" 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT
trap 'exit 1' HUP INT TERM

# make_home NAME: an empty home folder for the account.
make_home() {
    mkdir -p "$scratch/$1/runtime"
    chmod 0700 "$scratch/$1/runtime"
    [ "$(id -u)" -ne 0 ] || chown -R "$user" "$scratch/$1"
    echo "$scratch/$1"
}

# as_user HOME COMMAND...: runs the command as the account with a clean
# environment around that home, its input not a terminal.
as_user() {
    home=$1
    shift
    set -- env -i HOME="$home" PATH="${FAKE_PATH:+$FAKE_PATH:}/usr/local/bin:/usr/bin:/bin" LC_ALL=C.UTF-8 \
        XDG_RUNTIME_DIR="$home/runtime" QT_QPA_PLATFORM=offscreen "$@"
    if [ "$(id -u)" -eq 0 ]; then
        runuser -u "$user" -- "$@" </dev/null
    else
        "$@" </dev/null
    fi
}

# set_setup FILE KEY VALUE: one value of a Setup.xml, as the settings page
# would change it.
set_setup() {
    python3 - "$1" "$2" "$3" <<'EOF'
import sys, re
path, key, value = sys.argv[1:]
text = open(path, encoding="utf-8").read()
text, n = re.subn(r"(<%s>\s*<Value>)[^<]*(</Value>)" % key, r"\g<1>%s\g<2>" % value, text)
assert n == 1, key
open(path, "w", encoding="utf-8").write(text)
EOF
}

# The client's own process: as root the child of the runuser started.
client_process() {
    if [ "$(id -u)" -eq 0 ]; then
        pgrep -P "$client_pid" | head -n 1
    else
        echo "$client_pid"
    fi
}

# run_client HOME PROGRAM: starts the client as the account and waits until
# its main window shows (its log says so) and its service runs (and, when
# await_gone names a path, until that is gone), then ends it with SIGTERM
# and checks that its service ended with it.
run_client() {
    home=$1
    program=$2
    log=$home/.local/state/Gearloft/gearloft.log
    as_user "$home" "$program" >"$scratch/client.out" 2>&1 &
    client_pid=$!
    shown=
    for _ in $(seq 1 120); do
        if [ -f "$log" ] && grep -q "main window shown" "$log"; then
            shown=1
            break
        fi
        kill -0 "$client_pid" 2>/dev/null || break
        sleep 0.5
    done
    if [ -z "$shown" ]; then
        cat "$scratch/client.out" >&2
        fail "the client did not show its main window ($program)"
    fi
    service_dir=$(dirname "$program")
    # The service is started by the window; give it a moment to be there.
    for _ in $(seq 1 40); do
        pgrep -u "$user" -x Haulmoor >/dev/null && break
        sleep 0.25
    done
    if [ -n "${await_gone:-}" ]; then
        for _ in $(seq 1 40); do
            [ -e "$await_gone" ] || break
            sleep 0.25
        done
    fi
    kill -TERM "$(client_process)"
    wait "$client_pid" || true
    client_pid=
    for _ in $(seq 1 40); do
        pgrep -u "$user" -x Haulmoor >/dev/null || return 0
        sleep 0.25
    done
    fail "the service of $service_dir outlived the client"
}
