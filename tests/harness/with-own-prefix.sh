#!/usr/bin/env bash
# Runs a command in a Wine prefix of its own: a copy of the session's prefix
# (wine-env.sh) with a wineserver of its own, so that what the command changes
# in the system folder or the machine's registry (an installed package, a
# stand-in for a system program) never reaches another test. The display is
# the session's. The copy goes away when the command ends.
set -u
source "$(dirname "$0")/../../scripts/wine/wine-env.sh" || exit 1
own=$(mktemp -d)
cp -a "$WINEPREFIX" "$own/prefix" || { rm -rf "$own"; exit 1; }
export QV_WINEPREFIX="$own/prefix" WINEPREFIX="$own/prefix"
wineserver -f -p &
server=$!
trap 'wineserver -k 2>/dev/null; wait $server 2>/dev/null; rm -rf "$own"' EXIT
trap 'exit 130' INT TERM
"$@"
