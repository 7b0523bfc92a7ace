#!/usr/bin/env bash
# The main job: installs what is missing, builds, makes a demo installation
# and a demo cloud served by nginx on loopback, and shows the download service
# at work on it: version look-ups, two tool installs with their progress.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${GEARLOFT_BUILD_DIR:-$root/build}
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"

demo=$build/demo
rm -rf "$demo"
mkdir -p "$demo"
cmake --install "$build" --prefix "$demo/install" >/dev/null
install=$demo/install
# shellcheck source=../demo/nginx.sh
. "$root/demo/nginx.sh"

echo "== generating the demo cloud"
"$root/demo/make-cloud.sh" "$demo/cloud" >/dev/null
cloud_port=$(free_port 18080)
DEMO_RATE=100k nginx_start "$demo/nginx" "$demo/cloud" "$cloud_port"
base="http://127.0.0.1:$cloud_port/en"
sed -i "s|http://127.0.0.1:[0-9]*/cn|http://127.0.0.1:$cloud_port/cn|; s|http://127.0.0.1:[0-9]*/en|$base|" "$install/Setup.xml"
sed -i "/<DownloadPath>/{n;s|.*|<Value>$install/Download</Value>|}" "$install/Setup.xml"
echo "   cloud: $base (nginx, root $demo/cloud)"

# Until the client lands, a stand-in process named Gearloft keeps the service
# alive, and this script plays the client's part over the local protocol.
mkdir -p "$demo/standin"
cp /bin/sleep "$demo/standin/Gearloft"
"$demo/standin/Gearloft" 3600 &
standin=$!
service_port=$(free_port 20008 2)
(cd "$install" && exec ./Haulmoor "$service_port" >"$demo/haulmoor.out") &
service=$!
cleanup() {
  kill "$standin" 2>/dev/null || true
  wait "$service" 2>/dev/null || true
  nginx_stop "$demo/nginx"
}
trap cleanup EXIT
for _ in $(seq 50); do (exec 3<>"/dev/tcp/127.0.0.1/$service_port") 2>/dev/null && break; sleep 0.1; done
echo "   Haulmoor listening on 127.0.0.1:$service_port"

ask() { curl -s --max-time 10 -d "$1" "http://127.0.0.1:$service_port$2"; }
value_of() { tr -d '\n\t ' | sed -n "s|.*\"url\":\"$1\",\"value\":\"\([^\"]*\)\".*|\1|p"; }

echo "== newest versions on the cloud"
for m in 6 7; do
  v=$(ask "{\"method\":$m,\"urls\":[{\"url\":\"$base\",\"unzipDir\":\"\"}]}" /OtherReqire?format=json | value_of "$base")
  [ "$m" = 6 ] && echo "   material: $v" || echo "   main program: $v"
done

unzip_dir="$install/Download/SubTools/"
for tool in NetProbe DiskPilot; do
  url="$base/tools/$tool/$tool.zip"
  echo "== installing $tool"
  ask "{\"method\":3,\"urls\":[{\"url\":\"$url\",\"unzipDir\":\"$unzip_dir\"}]}" /DownloadSubTool?format=json >/dev/null
  last=""
  for _ in $(seq 600); do
    sleep 0.2
    v=$(ask "{\"method\":4,\"urls\":[{\"url\":\"$url\",\"unzipDir\":\"\"}]}" /DownloadProgress?format=json | value_of "$url")
    [ "$v" != "$last" ] && printf '   progress %s\n' "$v" && last=$v
    case "$v" in 200|400|404|-1) break ;; esac
  done
  [ "$last" = 200 ] || { echo "   $tool did not install (status $last)"; exit 1; }
done

echo "== installed tools under $unzip_dir"
(cd "$unzip_dir" && find . -type f | sort | sed 's/^/   /')
echo "== running one: $(cd "$unzip_dir/NetProbe" && timeout 1 ./NetProbe | head -n 1)"
echo "== the service ends on its own once no Gearloft process runs"
kill "$standin"
wait "$service" && echo "   Haulmoor exited with 0"
