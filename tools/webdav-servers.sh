#!/usr/bin/env bash
# Starts or stops the WebDAV servers the sync tests talk to, all on 127.0.0.1 and on
# free ports, with configuration, password file and certificate made here:
#   - Apache 2 with mod_dav/mod_dav_fs and Basic authentication, over http and https
#     (a self-signed certificate that nothing trusts), folder /dav/;
#   - rclone's WebDAV server (ignores If-Match, keeps a cut-off upload), folder /.
# What was started is written to DIR/servers.ini for the tests (TM_WEBDAV_SERVERS).
#   webdav-servers.sh start DIR    (stops what DIR may still hold first)
#   webdav-servers.sh stop DIR
set -euo pipefail
cmd="${1:?start or stop}"
dir="$(realpath -m "${2:?folder}")"

stop() {
  if [ -f "$dir/apache/httpd.pid" ]; then
    pid=$(cat "$dir/apache/httpd.pid")
    kill "$pid" 2>/dev/null || true
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  fi
  if [ -f "$dir/rclone.pid" ]; then
    pid=$(cat "$dir/rclone.pid")
    kill "$pid" 2>/dev/null || true
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  fi
  rm -rf "$dir"
}

free_port() {
  python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}

wait_port() {
  for _ in $(seq 100); do
    (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null && return 0
    sleep 0.1
  done
  echo "nothing listens on 127.0.0.1:$1" >&2
  return 1
}

start() {
  stop
  mkdir -p "$dir/apache/run" "$dir/data" "$dir/davlock" "$dir/rclone-data"
  chown www-data:www-data "$dir/data" "$dir/davlock"
  user=tidemarker
  pass=$(openssl rand -hex 12)
  htpasswd -bcB "$dir/apache/htpasswd" "$user" "$pass" 2>/dev/null
  chmod 644 "$dir/apache/htpasswd"
  openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=127.0.0.1/O=Tidemarker test server" \
    -addext "subjectAltName=IP:127.0.0.1" -keyout "$dir/apache/key.pem" -out "$dir/apache/cert.pem" 2>/dev/null
  thumb=$(openssl x509 -in "$dir/apache/cert.pem" -noout -fingerprint -sha256 | sed 's/.*=//; s/://g')
  http=$(free_port); https=$(free_port); rport=$(free_port)
  mods=/usr/lib/apache2/modules
  cat >"$dir/apache/httpd.conf" <<EOF
ServerRoot "$dir/apache"
ServerName 127.0.0.1
PidFile "$dir/apache/httpd.pid"
DefaultRuntimeDir "$dir/apache/run"
ErrorLog "$dir/apache/error.log"
LogLevel warn
TypesConfig /etc/mime.types
User www-data
Group www-data
LoadModule mpm_event_module $mods/mod_mpm_event.so
LoadModule authn_core_module $mods/mod_authn_core.so
LoadModule authn_file_module $mods/mod_authn_file.so
LoadModule authz_core_module $mods/mod_authz_core.so
LoadModule authz_user_module $mods/mod_authz_user.so
LoadModule auth_basic_module $mods/mod_auth_basic.so
LoadModule alias_module $mods/mod_alias.so
LoadModule mime_module $mods/mod_mime.so
LoadModule dav_module $mods/mod_dav.so
LoadModule dav_fs_module $mods/mod_dav_fs.so
LoadModule socache_shmcb_module $mods/mod_socache_shmcb.so
LoadModule ssl_module $mods/mod_ssl.so
Listen 127.0.0.1:$http
Listen 127.0.0.1:$https
DAVLockDB "$dir/davlock/lockdb"
DocumentRoot "$dir/data"
Alias /dav "$dir/data"
<Directory "$dir/data">
  Dav On
  AuthType Basic
  AuthName "Tidemarker test"
  AuthUserFile "$dir/apache/htpasswd"
  Require valid-user
</Directory>
SSLSessionCache "shmcb:$dir/apache/run/ssl_scache(512000)"
<VirtualHost 127.0.0.1:$https>
  SSLEngine on
  SSLCertificateFile "$dir/apache/cert.pem"
  SSLCertificateKeyFile "$dir/apache/key.pem"
</VirtualHost>
EOF
  apache2 -f "$dir/apache/httpd.conf" -k start
  : >"$dir/rclone.conf"
  RCLONE_CONFIG="$dir/rclone.conf" setsid rclone serve webdav "$dir/rclone-data" --addr "127.0.0.1:$rport" \
    --user "$user" --pass "$pass" >"$dir/rclone.log" 2>&1 </dev/null &
  echo $! >"$dir/rclone.pid"
  wait_port "$http"; wait_port "$https"; wait_port "$rport"
  win() { echo "Z:${1//\//\\}"; }
  cat >"$dir/servers.ini" <<EOF
[servers]
user=$user
password=$pass
apacheUrl=http://127.0.0.1:$http/dav/
apacheData=$(win "$dir/data")
apacheHttpsUrl=https://127.0.0.1:$https/dav/
thumbprint=$thumb
subject=Tidemarker test server
rcloneUrl=http://127.0.0.1:$rport/
rcloneData=$(win "$dir/rclone-data")
EOF
}

case "$cmd" in
  start) start ;;
  stop) stop ;;
  *) echo "start or stop" >&2; exit 2 ;;
esac
