#!/usr/bin/env bash
# The main job: installs what is missing, builds, makes a demo installation
# (build/demo/install) and a demo cloud served by nginx on loopback, and
# starts the client Gearloft on it. The cloud is signed with a demo key
# (build/demo/keys, made once) that the demo installation trusts, and served
# over https with a certificate from a demo authority (build/demo/tls) that
# the installation's Setup.xml names ("CaFile").
#
#   scripts/run-demo.sh [--lang en|zh] [--first-run|--no-first-run] [--fresh]
#                       [--full-speed] [--service-only]
#
# With a display ($DISPLAY set) Gearloft opens there and the script waits
# until you close it. Without one it runs on a private virtual screen for a
# few seconds, saves a picture of the screen to build/demo/screenshot.png,
# ends the client with SIGTERM and checks that its service ended too.
#
#   --lang zh        the Chinese edition (Translator 1, the cn/ cloud tree)
#   --first-run      ask the first-run question (IsFirstLoading 1); the
#                    default with a display
#   --no-first-run   skip it (IsFirstLoading 0); the default without a
#                    display, where nobody could answer it and the
#                    screenshot shows the main window
#   --fresh          no tools installed beforehand; by default two tools are
#                    there in an older edition, so that the "My Tools" board
#                    has updates to offer (the cloud also publishes a newer
#                    material and a newer main program)
#   --full-speed     serve every package as fast as nginx can; by default
#                    the big tool is paced to about 2.5 MiB/s (curl from the
#                    same address gets the same pace) so that its progress
#                    line can be followed
#   --service-only   no client: the download service alone, with a stand-in
#                    process named Gearloft, asked for the newest versions
#                    and to install two tools while their progress is printed
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${GEARLOFT_BUILD_DIR:-$root/build}

lang=en
first_run=auto
mode=client
seed=1
paced=1
while [ $# -gt 0 ]; do
  case $1 in
    --lang)
      [ $# -ge 2 ] || { echo "--lang needs en or zh" >&2; exit 2; }
      lang=$2
      shift 2
      ;;
    --lang=*) lang=${1#--lang=}; shift ;;
    --first-run) first_run=1; shift ;;
    --no-first-run) first_run=0; shift ;;
    --service-only) mode=service; shift ;;
    --fresh) seed=0; shift ;;
    --full-speed) paced=0; shift ;;
    -h | --help) awk 'NR > 1 && /^#/ { sub(/^# ?/, ""); print; next } NR > 1 { exit }' "$0"; exit 0 ;;
    *) echo "unknown option $1 (see --help)" >&2; exit 2 ;;
  esac
done
case $lang in
  en) translator=0 tree=en ;;
  zh) translator=1 tree=cn ;;
  *) echo "--lang takes en or zh, not $lang" >&2; exit 2 ;;
esac

"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"

demo=$(mkdir -p "$build/demo" && cd "$build/demo" && pwd -P)
install=$demo/install
run=$demo/run
demotool=$demo/tool/gearloft_demotool
demoshot=$demo/shot/gearloft_demoshot
demoseed=$demo/seed/gearloft_demoseed
signpackage=$build/tools/signpackage/signpackage
if [ ! -x "$demotool" ] || [ ! -x "$demoshot" ] || [ ! -x "$demoseed" ] || [ ! -x "$demo/nextversion/Gearloft" ]; then
  echo "the demo programs in $demo were not built (is demo/ part of the build?)" >&2
  exit 1
fi
[ -x "$signpackage" ] || { echo "signpackage was not built ($signpackage)" >&2; exit 1; }

# The demo publisher's key pair, kept from run to run like a vendor's.
keys=$demo/keys
if [ ! -s "$keys/demo-signing.key" ] || [ ! -s "$keys/trusted/demo.pem" ]; then
  rm -rf "$keys"
  mkdir -p "$keys/trusted"
  chmod 700 "$keys"
  "$signpackage" keygen "$keys/demo-signing.key" "$keys/trusted/demo.pem"
fi
# A demo certificate authority and a certificate from it for 127.0.0.1,
# made again when it has less than a day left.
tls=$demo/tls
if ! openssl x509 -checkend 86400 -noout -in "$tls/server.pem" >/dev/null 2>&1 ||
  ! openssl x509 -checkend 86400 -noout -in "$tls/ca.pem" >/dev/null 2>&1; then
  rm -rf "$tls"
  mkdir -p "$tls"
  chmod 700 "$tls"
  (
    cd "$tls"
    openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:P-256 -nodes -keyout ca.key -out ca.pem \
      -days 30 -subj "/CN=Gearloft demo authority" 2>/dev/null
    openssl req -newkey ec -pkeyopt ec_paramgen_curve:P-256 -nodes -keyout server.key -out server.csr \
      -subj "/CN=127.0.0.1" 2>/dev/null
    printf 'subjectAltName=IP:127.0.0.1,DNS:localhost\nbasicConstraints=CA:FALSE\nextendedKeyUsage=serverAuth\n' >server.ext
    openssl x509 -req -in server.csr -CA ca.pem -CAkey ca.key -CAcreateserial -out server.pem -days 29 \
      -extfile server.ext 2>/dev/null
  )
fi
# build/demo also holds the build of the demo programs: clear only what this
# script makes.
rm -rf "$install" "$demo/cloud" "$demo/nginx" "$run" "$demo/screenshot.png"
mkdir -p "$run"
# As "cmake --install", with the demo key among the trusted ones.
cmake -DCMAKE_INSTALL_PREFIX="$install" -DGEARLOFT_TRUSTED_KEYS_DIR="$keys/trusted" \
  -P "$build/cmake_install.cmake" >/dev/null
for f in Gearloft Haulmoor ZipUnzip ToolsFile/ToolsInfoList.xml ToolsStateList.xml trusted-keys/demo.pem; do
  [ -e "$install/$f" ] || { echo "the installation lacks $f" >&2; exit 1; }
done
# shellcheck source-path=SCRIPTDIR/.. source=demo/nginx.sh
. "$root/demo/nginx.sh"
# shellcheck source=demo/catalog.sh
. "$root/demo/catalog.sh"
catalog_load "$root/demo/tools.list"

# Whatever this script started ends with it.
standin="" service="" gearloft="" xvfb=""
cleanup() {
  [ -z "$gearloft" ] || kill "$gearloft" 2>/dev/null || true
  [ -z "$standin" ] || kill "$standin" 2>/dev/null || true
  [ -z "$service" ] || wait "$service" 2>/dev/null || true
  [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
  nginx_stop "$demo/nginx"
}
trap cleanup EXIT

echo "== generating the demo cloud"
"$root/demo/make-cloud.sh" "$demo/cloud" "$demotool" "$signpackage" "$keys/demo-signing.key" | sed 's/^/   /'
# The newest main program the cloud lists (make-cloud.sh's package index),
# built as that version (demo/nextversion).
"$root/demo/make-upgrade.sh" "$install" "$demo/cloud" 1.1.0.6 "$demo/nextversion/Gearloft" "$signpackage" \
  "$keys/demo-signing.key" |
  sed 's/^/   /'
# Big packages are served slowly, so that their progress can be followed.
slow=()
for key in "${CATALOG_KEYS[@]}"; do
  if [ "$paced" -eq 1 ] && [ "${T_PAYLOAD[key]}" -ge 50 ]; then
    package=$(tool_package "$key")
    slow+=("/en/${package%/*}/" "/cn/${package%/*}/")
  fi
done
# The main program's package too: its update dialog shows bytes and
# progress that a loopback download at full speed would skip.
[ "$paced" -eq 0 ] || slow+=("/en/4200/tool/windows/gearloft/" "/cn/4200/tool/windows/gearloft/")
cloud_port=$(free_port 18080)
DEMO_TLS_CERT=$tls/server.pem DEMO_TLS_KEY=$tls/server.key \
  nginx_start "$demo/nginx" "$demo/cloud" "$cloud_port" "${slow[@]}"
cloud="https://127.0.0.1:$cloud_port"
base="$cloud/$tree"
echo "   cloud: $cloud/en and $cloud/cn (nginx over https, root $demo/cloud; signed with $keys/demo-signing.key)"

# write_setup DOWNLOAD_PATH FIRST_LOADING: the installation's Setup.xml for
# this demo, one element a line as the service reads it.
write_setup() {
  local key value
  {
    echo '<?xml version="1.0" encoding="UTF-8"?>'
    echo '<Setup>'
    while IFS='=' read -r key value; do
      printf '<%s>\n<Value>%s</Value>\n</%s>\n' "$key" "$value" "$key"
    done <<SETTINGS
Translator=$translator
Languages=1
LogLevel=1
VersionType=1
Skin=0
DownloadPath=$1
IsCloseOpenTools=0
IsNeedUpdate=0
ChServerAddress=$cloud/cn
EnServerAddress=$cloud/en
IsFirstLoading=$2
PromptUpgrade=1
TransferMode=1
CaFile=$tls/ca.pem
SETTINGS
    echo '</Setup>'
  } >"$install/Setup.xml"
}

# service_pids: the processes running this installation's Haulmoor.
service_pids() {
  local p exe
  for p in /proc/[0-9]*; do
    exe=$(readlink "$p/exe" 2>/dev/null) || continue
    [ "$exe" = "$install/Haulmoor" ] && echo "${p#/proc/}"
  done
  return 0
}

# client_pids: the processes of this installation's client and of its
# self-upgrade (Swapover), one a line.
client_pids() {
  local p exe
  for p in /proc/[0-9]*; do
    exe=$(readlink "$p/exe" 2>/dev/null) || continue
    exe=${exe% (deleted)}
    [ "$exe" = "$install/Gearloft" ] || [ "$exe" = "$install/Swapover/Swapover" ] && echo "${p#/proc/}"
  done
  return 0
}

# wait_service_end SECONDS: true once no Haulmoor of this installation runs.
wait_service_end() {
  local i
  for ((i = 0; i < $1 * 10; i++)); do
    [ -z "$(service_pids)" ] && return 0
    sleep 0.1
  done
  return 1
}

# --- the download service alone ---------------------------------------------

service_only() {
  write_setup "$install/Download" 0
  # A stand-in process named Gearloft keeps the service alive, and this
  # script plays the client's part over the local protocol.
  mkdir -p "$run/standin"
  cp /bin/sleep "$run/standin/Gearloft"
  "$run/standin/Gearloft" 3600 &
  standin=$!
  local service_port
  service_port=$(free_port 20008 2)
  (cd "$install" && exec ./Haulmoor "$service_port" >"$run/haulmoor.out") &
  service=$!
  for _ in $(seq 50); do (exec 3<>"/dev/tcp/127.0.0.1/$service_port") 2>/dev/null && break; sleep 0.1; done
  echo "   Haulmoor listening on 127.0.0.1:$service_port"

  ask() { curl -s --max-time 10 -d "$1" "http://127.0.0.1:$service_port$2"; }
  value_of() { tr -d '\n\t ' | sed -n "s|.*\"url\":\"$1\",\"value\":\"\([^\"]*\)\".*|\1|p"; }

  echo "== newest versions on the cloud"
  local m v
  for m in 6 7; do
    v=$(ask "{\"method\":$m,\"urls\":[{\"url\":\"$base\",\"unzipDir\":\"\"}]}" /OtherReqire?format=json | value_of "$base")
    if [ "$m" = 6 ]; then echo "   material: $v"; else echo "   main program: $v"; fi
  done

  # A small tool with the "_x64" marker, and the biggest tool.
  local small="" big="" key
  for key in "${CATALOG_KEYS[@]}"; do
    [[ ${T_EXE[key]} == *_x64* ]] && [ -z "$small" ] && small=$key
    if [ -z "$big" ] || [ "${T_PAYLOAD[key]}" -gt "${T_PAYLOAD[big]}" ]; then big=$key; fi
  done
  [ -n "$small" ] || small=${CATALOG_KEYS[0]}
  local unzip_dir="$install/Download/SubTools/" url last
  for key in "$small" "$big"; do
    url="$base/$(tool_package "$key")"
    echo "== installing ${T_EN[key]} ($(tool_size "$key") MiB)"
    ask "{\"method\":3,\"urls\":[{\"url\":\"$url\",\"unzipDir\":\"$unzip_dir\"}]}" /DownloadSubTool?format=json >/dev/null
    last=""
    for _ in $(seq 1500); do
      sleep 0.2
      v=$(ask "{\"method\":4,\"urls\":[{\"url\":\"$url\",\"unzipDir\":\"\"}]}" /DownloadProgress?format=json | value_of "$url")
      [ "$v" != "$last" ] && printf '   progress %s\n' "$v" && last=$v
      case "$v" in 200 | 400 | 404 | -1) break ;; esac
    done
    [ "$last" = 200 ] || { echo "   ${T_EN[key]} did not install (status $last)"; exit 1; }
  done

  echo "== installed tools under $unzip_dir"
  (cd "$unzip_dir" && find . -type f | sort | sed 's/^/   /')
  local folder said
  folder="$unzip_dir$(tool_folder "$small")"
  # The demo tool prints who it is, then shows its window (off screen here).
  said=$(cd "$folder" && { QT_QPA_PLATFORM=offscreen timeout 3 "./$(tool_program "$small")" 2>/dev/null || true; })
  echo "== running one: ${said%%$'\n'*}"
  echo "== the service ends on its own once no Gearloft process runs"
  kill "$standin"
  standin=""
  local status=0
  wait "$service" || status=$?
  service=""
  echo "   Haulmoor exited with $status"
  [ "$status" = 0 ]
}

# --- the client ---------------------------------------------------------------

client() {
  if [ "$first_run" = auto ]; then
    if [ -n "${DISPLAY:-}" ]; then first_run=1; else first_run=0; fi
  fi
  if [ "$seed" = 1 ]; then
    # The client's own default download folder, with two tools one release
    # behind the catalog.
    write_setup "$install/Download" "$first_run"
    local older=() key v
    for key in "${CATALOG_KEYS[@]}"; do
      v=${T_VERSION[key]}
      [ "${v##*.}" -gt 0 ] || continue
      older+=("$key=${v%.*}.$((${v##*.} - 1))")
      [ ${#older[@]} -lt 2 ] || break
    done
    "$demoseed" "$install" "$demotool" "${older[@]}"
    echo "   installed beforehand, one release behind: ${older[*]}"
  else
    # An empty download path: the client fills in its default at start-up.
    write_setup "" "$first_run"
  fi
  echo "== Gearloft ($lang), installed in $install; its log: $run/gearloft.log"
  if [ -n "${DISPLAY:-}" ]; then
    echo "   on display $DISPLAY; close its window to end the demo"
    local status=0
    "$install/Gearloft" >"$run/gearloft.log" 2>&1 || status=$?
    # "Restart Now" after a self-update ends this client and brings the new
    # one back through Swapover: the cloud stays up while either runs.
    if [ -n "$(client_pids)" ]; then
      echo "   Gearloft restarted (self-update); close its window to end the demo"
      while [ -n "$(client_pids)" ]; do sleep 1; done
    fi
    echo "   Gearloft ended with status $status"
    if wait_service_end 5; then echo "   Haulmoor ended too"; else echo "   Haulmoor still runs: $(service_pids)"; exit 1; fi
    return 0
  fi

  # No display: a private virtual screen.
  local display_file=$run/display
  Xvfb -displayfd 3 -screen 0 1280x900x24 -nolisten tcp 3>"$display_file" 2>"$run/xvfb.log" &
  xvfb=$!
  for _ in $(seq 100); do [ -s "$display_file" ] && break; sleep 0.1; done
  [ -s "$display_file" ] || { echo "Xvfb did not start; see $run/xvfb.log" >&2; exit 1; }
  DISPLAY=:$(head -n 1 "$display_file")
  export DISPLAY
  if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    export XDG_RUNTIME_DIR=$run/xdg-runtime
    mkdir -p "$XDG_RUNTIME_DIR"
    chmod 0700 "$XDG_RUNTIME_DIR"
  fi
  echo "   no display: running on the virtual screen $DISPLAY (1280x900)"
  "$install/Gearloft" >"$run/gearloft.log" 2>&1 &
  gearloft=$!
  sleep 5
  if ! kill -0 "$gearloft" 2>/dev/null; then
    local status=0
    wait "$gearloft" || status=$?
    gearloft=""
    echo "   Gearloft ended by itself with status $status; see $run/gearloft.log" >&2
    exit 1
  fi
  local services
  services=$(service_pids | tr '\n' ' ')
  if [ -n "$services" ]; then
    echo "   Gearloft runs (pid $gearloft) with Haulmoor (pid ${services% })"
  elif [ "$first_run" = 1 ]; then
    # The first-run question comes before the main window, which starts the
    # service; nobody answers it here.
    echo "   Gearloft runs (pid $gearloft) and shows the first-run question; Haulmoor starts once it is answered"
  else
    echo "   Gearloft runs (pid $gearloft), but no Haulmoor of this installation does" >&2
  fi
  "$demoshot" "$demo/screenshot.png"
  echo "== screenshot: $demo/screenshot.png"
  kill -TERM "$gearloft"
  local status=0
  wait "$gearloft" || status=$?
  gearloft=""
  echo "   Gearloft ended on SIGTERM (status $status)"
  if ! wait_service_end 5; then
    echo "   Haulmoor still runs: $(service_pids)" >&2
    exit 1
  fi
  [ -z "$services" ] || echo "   Haulmoor ended too"
  # Past the first-run question the client must have started its service.
  [ -n "$services" ] || [ "$first_run" = 1 ]
}

if [ "$mode" = service ]; then service_only; else client; fi
