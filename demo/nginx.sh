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

# nginx_start PREFIX ROOT PORT
nginx_start() {
  local prefix=$1 root=$2 port=$3 nginx
  nginx=$(command -v nginx || echo /usr/sbin/nginx)
  mkdir -p "$prefix/logs" "$prefix/tmp"
  local user_line=""
  [ "$(id -u)" -eq 0 ] && user_line="user root;"
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
  server {
    listen 127.0.0.1:$port;
    root $root;
    location /en/tools/ { limit_rate ${DEMO_RATE:-0}; }
    location /cn/tools/ { limit_rate ${DEMO_RATE:-0}; }
  }
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
  [ -f "$prefix/nginx.pid" ] && kill "$(cat "$prefix/nginx.pid")" 2>/dev/null || true
}
