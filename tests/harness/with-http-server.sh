#!/usr/bin/env bash
# Runs a command beside the scripted HTTP test server (http-test-server.py) on
# 127.0.0.1, with its port in QV_TEST_HTTP_PORT and the folder it serves in
# QV_TEST_HTTP_ROOT. Both go away when the command ends.
set -u
work=$(mktemp -d)
exec 3< <(exec /usr/bin/python3 "$(dirname "$0")/http-test-server.py" "$work")
server=$!
trap 'kill $server 2>/dev/null; wait $server 2>/dev/null; rm -rf "$work"' EXIT
trap 'exit 130' INT TERM
read -r port <&3 || { echo "with-http-server: the test server did not start" >&2; exit 1; }
export QV_TEST_HTTP_PORT=$port QV_TEST_HTTP_ROOT=$work
"$@" 3<&-
