#!/usr/bin/env bash
# Benchmarks: figures printed for a person to read, never pass or fail.
set -u
cd "$(dirname "$0")/.."
saver=$PWD/dist/QuorvaneSaver.scr

echo "== decoding (native, quick play, no display)"
build/host/bench/decode-bench build/host/demo.vqd

echo
echo "== playback (the saver under Wine on Xvfb)"
tests/harness/wine-session.sh bash -c '
  saver=$0
  tests/harness/wine-run.sh build/windows/bench/playback-bench.exe "$saver"
  # CPU of the saver process itself while it plays the demo it carries.
  wine reg add "HKCU\\Software\\Quorvane\\Screen Saver" /v Path /t REG_SZ /d "" /f >/dev/null 2>&1
  wine reg add "HKCU\\Software\\Quorvane\\Screen Saver" /v "Quick play" /t REG_DWORD /d 0 /f >/dev/null 2>&1
  wine "$saver" /s >/dev/null 2>&1 </dev/null &
  pid=$!
  sleep 3
  cpu() { awk "{print \$14 + \$15}" /proc/$pid/stat; }
  before=$(cpu); sleep 10; after=$(cpu)
  hz=$(getconf CLK_TCK)
  echo "CPU time of the saver playing the demo: $(( (after - before) * 1000 / hz / 10 )) ms per second of playing"
  kill $pid; wait $pid 2>/dev/null
  wine reg delete "HKCU\\Software\\Quorvane\\Screen Saver" /f >/dev/null 2>&1
' "$saver"
