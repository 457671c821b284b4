#!/usr/bin/env bash
# The main job: the saver full screen (/s) playing the recording it carries.
# Where a display is reachable it plays there until the first key, click or
# mouse movement ends it. Otherwise it plays on a private Xvfb display, a few
# screenshots are saved to out/demo/, and their paths are printed.
set -u
cd "$(dirname "$0")/.."
# The 32-bit saver where this host can run it, else the 64-bit one
# (QV_WINDOWS_ARCH=x86|x64 forces one).
source scripts/wine/wine-env.sh || exit 1
saver=$(qv_dist_dir "$QV_WINDOWS_ARCH")/QuorvaneSaver.scr
echo "The $QV_WINDOWS_ARCH saver: $saver"
scripts/wine/wine-prefix.sh || exit 1

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  echo "Playing on $DISPLAY; any key, click or mouse movement ends the saver."
  exec wine "$saver" /s
fi

mkdir -p out/demo
rm -f out/demo/*.png
export QV_DEMO_SHOTS=${QV_DEMO_SHOTS:-6} QV_DEMO_INTERVAL=${QV_DEMO_INTERVAL:-4}
scripts/wine/wine-session.sh bash -c '
  wine "$0" /s >/dev/null 2>&1 </dev/null &
  saver=$!
  sleep 3
  for i in $(seq "$QV_DEMO_SHOTS"); do
    import -display "$DISPLAY" -window root "out/demo/demo-$i.png"
    echo "$PWD/out/demo/demo-$i.png"
    sleep "$QV_DEMO_INTERVAL"
  done
  xdotool mousemove 10 10 mousemove 300 300
  for _ in $(seq 50); do kill -0 $saver 2>/dev/null || break; sleep 0.1; done
  kill $saver 2>/dev/null
  wait $saver
  echo "saver exit code: $?"
' "$saver"
