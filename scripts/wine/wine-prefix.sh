#!/usr/bin/env bash
# Creates the project's Wine prefix once: wineboot, then two settings of
# Wine's own. The X11 driver gets unmanaged windows: without a window manager
# every DestroyWindow of a top-level window would otherwise stall for two
# seconds. Direct3D's command-stream thread is turned off: it spins while it
# waits for work and alone took about half a core while the saver played its
# demo (about 0.5 s of CPU per second, against 0.09 s without it).
set -eu
source "$(dirname "$0")/wine-env.sh" || exit 1
ready="$WINEPREFIX/.quorvane-ready-2"
[ -f "$ready" ] && exit 0
rm -rf "$WINEPREFIX"
mkdir -p "$(dirname "$WINEPREFIX")"
DISPLAY= wine wineboot -i >/dev/null 2>&1
reg='C:\windows\system32\reg.exe'
wine "$reg" add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
wine "$reg" add 'HKCU\Software\Wine\Direct3D' /v csmt /t REG_DWORD /d 0 /f >/dev/null 2>&1
wineserver -w
touch "$ready"
