#!/usr/bin/env bash
# Creates the project's Wine prefix once: wineboot, then the X11 driver set
# to unmanaged windows (without a window manager every DestroyWindow of a
# top-level window would otherwise stall for two seconds).
set -eu
source "$(dirname "$0")/wine-env.sh"
[ -f "$WINEPREFIX/.quorvane-ready" ] && exit 0
rm -rf "$WINEPREFIX"
mkdir -p "$(dirname "$WINEPREFIX")"
DISPLAY= wineboot -i >/dev/null 2>&1
reg='C:\windows\system32\reg.exe'
wine "$reg" add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
wineserver -w
touch "$WINEPREFIX/.quorvane-ready"
