#!/usr/bin/env bash
# Runs a command beside the scripted HTTP test server (http-test-server.py)
# on 127.0.0.1. The command finds the server's ephemeral port in
# QV_TEST_HTTP_PORT and the folder it serves files from in QV_TEST_HTTP_ROOT.
# The server and its folder go away when the command ends.
set -u
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
mkdir "$work/root"

/usr/bin/python3 "$here/http-test-server.py" --root "$work/root" --port-file "$work/port" &
server=$!
cleanup() {
  kill "$server" 2>/dev/null
  wait "$server" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

for _ in $(seq 200); do
  [ -s "$work/port" ] && break
  kill -0 "$server" 2>/dev/null || break
  sleep 0.05
done
if [ ! -s "$work/port" ]; then
  echo "with-http-server: the test server did not start" >&2
  exit 1
fi
export QV_TEST_HTTP_PORT=$(cat "$work/port")
export QV_TEST_HTTP_ROOT="$work/root"
"$@"
