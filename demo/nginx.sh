# shellcheck shell=bash
# Sourced by the demo: runs nginx on a loopback port, serving one folder,
# with its config, logs and pid inside a private prefix folder.

# free_port FROM STEP: the first port from FROM on (in steps of STEP) that
# nothing listens on.
free_port() {
  local port=$1 step=${2:-1}
  while (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; do
    port=$((port + step))
  done
  echo "$port"
}

# nginx_start PREFIX ROOT PORT [SLOW_PATH...]
# With DEMO_TLS_CERT and DEMO_TLS_KEY (PEM files) set, nginx speaks https.
# Requests under each SLOW_PATH (a URL path prefix such as
# /en/tools/Big/) are paced so that a download there takes a while:
# the service fetches a package in ranges of at most 531072 bytes, one
# request after the other, so nginx admits DEMO_SLOW_REQUESTS such requests
# a second (default 5, about 2.5 MiB/s) and holds the rest back instead of
# refusing them; DEMO_SLOW_RATE (default 2560k, bytes a second) caps a
# package fetched in one piece. A per-request rate alone would not do:
# nginx sends the first second's worth of every request at once, which is
# a whole range.
nginx_start() {
  local prefix=$1 root=$2 port=$3 nginx
  shift 3
  nginx=$(command -v nginx || echo /usr/sbin/nginx)
  mkdir -p "$prefix/logs" "$prefix/tmp"
  local user_line="" slow="" path listen="127.0.0.1:$port"
  if [ -n "${DEMO_TLS_CERT:-}" ]; then
    listen+=" ssl;
    ssl_certificate $DEMO_TLS_CERT;
    ssl_certificate_key $DEMO_TLS_KEY"
  fi
  [ "$(id -u)" -eq 0 ] && user_line="user root;"
  for path in "$@"; do
    slow+="    location $path { limit_req zone=slowtools burst=100000; limit_rate ${DEMO_SLOW_RATE:-2560k}; }"$'\n'
  done
  cat >"$prefix/nginx.conf" <<CONF
$user_line
worker_processes 1;
pid $prefix/nginx.pid;
error_log $prefix/logs/error.log warn;
events { worker_connections 256; }
http {
  access_log $prefix/logs/access.log;
  client_body_temp_path $prefix/tmp/body;
  proxy_temp_path $prefix/tmp/proxy;
  fastcgi_temp_path $prefix/tmp/fastcgi;
  uwsgi_temp_path $prefix/tmp/uwsgi;
  scgi_temp_path $prefix/tmp/scgi;
  sendfile on;
  keepalive_requests 100000;
  types { application/zip zip; application/json json; image/png png; }
  limit_req_zone \$binary_remote_addr zone=slowtools:1m rate=${DEMO_SLOW_REQUESTS:-5}r/s;
  limit_req_log_level info;
  server {
    listen $listen;
    root $root;
$slow  }
}
CONF
  "$nginx" -p "$prefix" -c "$prefix/nginx.conf" -e "$prefix/logs/error.log"
  for _ in $(seq 50); do
    (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null && return 0
    sleep 0.1
  done
  echo "nginx did not start; see $prefix/logs/error.log" >&2
  return 1
}

# nginx_stop PREFIX
nginx_stop() {
  local prefix=$1
  if [ -f "$prefix/nginx.pid" ]; then
    kill "$(cat "$prefix/nginx.pid")" 2>/dev/null || true
  fi
}
