#!/usr/bin/env bash
# The recorder's cost (run inside a Wine session by scripts/run-bench.sh):
# its CPU per second of recording the demo that the saver plays full screen
# at natural size (1024 x 768 screen, 10 frames a second), beside the saver's
# own CPU over the same seconds, and the bytes it writes per minute beside
# the demo file's; at 16 and at 32 bits a pixel.
#   bench/recorder-bench.sh SAVER RECORDER VQDTOOL DEMO.vqd
set -u
saver=$1 recorder=$2 vqdtool=$3 demo=$4
key="HKCU\\Software\\Quorvane\\Screen Saver"
out=$(mktemp -d -p "$PWD/build")

cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
# Milliseconds of recorded time: the sum of the record delays.
recorded_ms() { "$vqdtool" info "$1" | awk '/^delay sum/ {print $3}'; }

wine reg add "$key" /v Path /t REG_SZ /d "" /f >/dev/null 2>&1
for value in "Auto repeat|1" "Quick play|0" "Draw mouse clicks|0" "Scale to fit screen|0" "Play on every monitor|0"; do
  wine reg add "$key" /v "${value%|*}" /t REG_DWORD /d "${value#*|}" /f >/dev/null 2>&1
done
wine "$saver" /s >/dev/null 2>&1 </dev/null &
saver_pid=$!
sleep 3

demo_bytes=$(stat -c %s "$demo")
demo_ms=$(recorded_ms "$demo")
demo_per_minute=$(( demo_bytes * 60000 / demo_ms ))
echo "the demo file: $demo_bytes bytes for $demo_ms ms of recording, $demo_per_minute bytes per minute"
for bits in 16 32; do
  file="$out/recorded-$bits.vqd"
  wine "$recorder" /record "Z:${file//\//\\}" /seconds 15 /fps 10 /bits "$bits" >/dev/null 2>&1 </dev/null &
  recorder_pid=$!
  sleep 2
  saver_before=$(cpu_ticks $saver_pid) recorder_before=$(cpu_ticks $recorder_pid)
  sleep 10
  saver_after=$(cpu_ticks $saver_pid) recorder_after=$(cpu_ticks $recorder_pid)
  wait $recorder_pid
  bytes=$(stat -c %s "$file")
  ms=$(recorded_ms "$file")
  awk -v bits="$bits" -v hz="$(getconf CLK_TCK)" -v s=$((saver_after - saver_before)) \
      -v r=$((recorder_after - recorder_before)) -v bytes="$bytes" -v ms="$ms" -v demo="$demo_per_minute" 'BEGIN {
    saver = s * 1000 / hz / 10; rec = r * 1000 / hz / 10; perMinute = bytes * 60000 / ms
    printf "recorder at %s bits: %d ms CPU per second, the saver %d ms (%.1f x); %d bytes per minute (%.2f x the demo file)\n",
           bits, rec, saver, rec / (saver > 0 ? saver : 1), perMinute, perMinute / demo }'
done
kill $saver_pid
wait $saver_pid 2>/dev/null
wine reg delete "$key" /f >/dev/null 2>&1
rm -rf "$out"
