#!/usr/bin/env bash
# Streamed downloads against curl and aria2c over an emulated wide-area link,
# at the round trips given (default "0 10 50"; 0 ms is loopback, without the
# link). Needs root and the link script wan.sh.
#
#   wan-bench.sh WAN_SH BENCH_DOWNLOAD HAULMOOR ZIPUNZIP [WORK_DIR]
#
# nginx serves WORK_DIR/served on the server side of the link; bench_download
# runs on the client side with the service and curl, over the link. The
# packages are made once in WORK_DIR and reused for every round trip.
# Environment: RTTS ("0 10 50"), RUNS (3), PARALLEL_RUNS (1).
set -euo pipefail
usage="usage: wan-bench.sh WAN_SH BENCH_DOWNLOAD HAULMOOR ZIPUNZIP [WORK_DIR]"
wan=${1:?$usage}
bench=${2:?$usage}
haulmoor=${3:?$usage}
zipunzip=${4:?$usage}
work=${5:-}
rtts=${RTTS:-0 10 50}
runs=${RUNS:-3}
parallel_runs=${PARALLEL_RUNS:-1}
port=18090
server_ip=10.199.0.1

if [ "$(id -u)" -ne 0 ]; then
  echo "wan-bench.sh: the emulated link needs root; skipped" >&2
  exit 0
fi
for tool in nginx ip gcc curl aria2c bsdtar; do
  command -v "$tool" >/dev/null || { echo "wan-bench.sh: $tool is missing" >&2; exit 2; }
done
own_work=0
if [ -z "$work" ]; then
  work=$(mktemp -d "${TMPDIR:-/tmp}/wan-bench.XXXXXX")
  own_work=1
fi
mkdir -p "$work/served" "$work/link-nginx/tmp"
work=$(cd "$work" && pwd)
export WAN_STATE=$work/wan-state

nginx_pid=""
stop_all() {
  if [ -n "$nginx_pid" ]; then
    kill "$nginx_pid" 2>/dev/null || true
    wait "$nginx_pid" 2>/dev/null || true
    nginx_pid=""
  fi
  "$wan" down || true
}
finish() {
  stop_all
  [ "$own_work" = 0 ] || rm -rf "$work"
}
trap finish EXIT

# Its own folder: the loopback round's nginx writes WORK_DIR/nginx/.
cat >"$work/link-nginx/nginx.conf" <<EOF
daemon off;
master_process off;
worker_processes 1;
user root;
pid $work/link-nginx/nginx.pid;
lock_file $work/link-nginx/nginx.lock;
error_log stderr warn;
events { worker_connections 512; }
http {
    types { application/zip zip; application/json json; }
    default_type application/octet-stream;
    access_log off;
    client_body_temp_path $work/link-nginx/tmp/body;
    proxy_temp_path $work/link-nginx/tmp/proxy;
    fastcgi_temp_path $work/link-nginx/tmp/fastcgi;
    uwsgi_temp_path $work/link-nginx/tmp/uwsgi;
    scgi_temp_path $work/link-nginx/tmp/scgi;
    sendfile on;
    tcp_nodelay on;
    keepalive_timeout 60s;
    server {
        listen $server_ip:$port;
        root $work/served;
    }
}
EOF

for rtt in $rtts; do
  echo "=== round trip $rtt ms ==="
  if [ "$rtt" = 0 ]; then
    # Loopback: the benchmark's own nginx, no link in between.
    "$bench" --haulmoor "$haulmoor" --zipunzip "$zipunzip" --work-dir "$work" \
      --streamed-only --runs "$runs" --parallel-runs "$parallel_runs" --round-trip-ms 0
    continue
  fi
  "$wan" up "$rtt"
  "$wan" srv nginx -p "$work/link-nginx/" -c "$work/link-nginx/nginx.conf" -e stderr 2>"$work/link-nginx/stderr.log" &
  nginx_pid=$!
  for _ in $(seq 50); do
    "$wan" cli curl -s -o /dev/null "http://$server_ip:$port/" && break
    sleep 0.1
  done
  "$wan" cli "$bench" --haulmoor "$haulmoor" --zipunzip "$zipunzip" --work-dir "$work" \
    --base-url "http://$server_ip:$port" --link "an emulated link, round trip $rtt ms" \
    --streamed-only --runs "$runs" --parallel-runs "$parallel_runs" --round-trip-ms "$rtt"
  stop_all
done
