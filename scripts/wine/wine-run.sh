#!/usr/bin/env bash
# Runs one Windows program under Wine in the project's prefix. CTest uses it as
# the emulator of the cross-built tests; wine-session.sh provides the display.
# Wine's own background services inherit the output of the process that starts
# them and outlive it, so the program writes to a file that is copied out
# afterwards: whoever reads our output sees its end when the program ends.
source "$(dirname "$0")/wine-env.sh" || exit 1
log=$(mktemp)
wine "$@" >"$log" 2>&1 </dev/null
rc=$?
cat "$log"
rm -f "$log"
exit $rc
