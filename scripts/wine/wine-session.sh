#!/usr/bin/env bash
# Runs a command inside one Wine session: the project's prefix (made once and
# reused), a private Xvfb display (1024x768x24, or QV_SCREEN; two monitors with
# QV_MONITORS=2, see two-monitors.sh) and a persistent
# wineserver. Everything the session started is stopped when the command ends.
# One session at a time runs on this machine (a lock serialises them).
set -u
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine-env.sh" || exit 1
screen=${QV_SCREEN:-1024x768x24}

exec 9>/tmp/quorvane-wine-session.lock
flock 9

xvfb_pid=""
server_pid=""
cleanup() {
  if [ -n "$server_pid" ]; then
    wineserver -k 2>/dev/null
    wait "$server_pid" 2>/dev/null
  fi
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
  fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# Nothing started here inherits the lock (fd 9): a Wine service that outlives
# its session would otherwise hold every later session back.
"$here/wine-prefix.sh" 9>&- || exit 1

# The X server picks a free display number itself and writes it to a file:
# the number once the file has it, waiting up to $2 times 50 ms.
read_display() {
  for _ in $(seq "$2"); do
    [ -s "$1" ] && break
    sleep 0.05
  done
  head -n1 "$1"
}
if [ "${QV_MONITORS:-1}" = 2 ]; then
  { source "$here/two-monitors.sh"; } 9>&-
else
  displayfile=$(mktemp)
  Xvfb -displayfd 8 -screen 0 "$screen" -nolisten tcp -noreset 8>"$displayfile" 2>/dev/null 9>&- &
  xvfb_pid=$!
  display=$(read_display "$displayfile" 100)
  rm -f "$displayfile"
fi
if [ -z "$display" ]; then
  echo "wine-session: the X server did not start" >&2
  exit 1
fi
export DISPLAY=":$display"

wineserver -f -p 9>&- &
server_pid=$!

"$@" 9>&-
