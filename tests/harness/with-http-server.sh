#!/usr/bin/env bash
# Runs a command beside the scripted HTTP test server (http-test-server.py) on
# 127.0.0.1, with its port in QV_TEST_HTTP_PORT and the folder it serves in
# QV_TEST_HTTP_ROOT. Both go away when the command ends.
set -u
work=$(mktemp -d)
/usr/bin/python3 "$(dirname "$0")/http-test-server.py" --root "$work/root" --port-file "$work/port" &
server=$!
trap 'kill $server 2>/dev/null; wait $server 2>/dev/null; rm -rf "$work"' EXIT
trap 'exit 130' INT TERM
for _ in $(seq 200); do
  [ -s "$work/port" ] || ! kill -0 $server 2>/dev/null && break
  sleep 0.05
done
[ -s "$work/port" ] || { echo "with-http-server: the test server did not start" >&2; exit 1; }
export QV_TEST_HTTP_PORT=$(cat "$work/port") QV_TEST_HTTP_ROOT="$work/root"
"$@"
