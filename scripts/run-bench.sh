#!/usr/bin/env bash
# Benchmarks: figures printed for a person to read, never pass or fail.
set -u
cd "$(dirname "$0")/.."
source scripts/wine/host-arch.sh
export QV_WINDOWS_ARCH
QV_WINDOWS_ARCH=$(qv_windows_arch) || exit 1
saver=$PWD/$(qv_dist_dir "$QV_WINDOWS_ARCH")/QuorvaneSaver.scr
build=$(qv_build_dir "$QV_WINDOWS_ARCH")

echo "== decoding (native, quick play, no display)"
build/host/bench/decode-bench build/host/demo.vqd

echo
echo "== playback (the $QV_WINDOWS_ARCH saver under Wine on Xvfb)"
scripts/wine/wine-session.sh bash -c '
  saver=$0 build=$1
  scripts/wine/wine-run.sh "$build/bench/playback-bench.exe" "$saver" "$build/bench/floor-window.exe"

  # CPU of the saver process itself while it plays, with the change-only paint
  # and, as its baseline, with every paint bringing the whole picture.
  key="HKCU\\Software\\Quorvane\\Screen Saver"
  static=$(mktemp --suffix=.vqd -p "$PWD/build")
  scripts/wine/wine-run.sh "$build/bench/playback-bench.exe" --static "$static"
  cpu_per_second() {  # PATH SCALE [whole]
    wine reg add "$key" /v Path /t REG_SZ /d "$1" /f >/dev/null 2>&1
    wine reg add "$key" /v "Quick play" /t REG_DWORD /d 0 /f >/dev/null 2>&1
    wine reg add "$key" /v "Auto repeat" /t REG_DWORD /d 0 /f >/dev/null 2>&1
    wine reg add "$key" /v "Scale to fit screen" /t REG_DWORD /d "$2" /f >/dev/null 2>&1
    if [ -n "${3:-}" ]; then export QUORVANE_TEST_WHOLE_PAINTS=1; else unset QUORVANE_TEST_WHOLE_PAINTS; fi
    wine "$saver" /s >/dev/null 2>&1 </dev/null &
    local pid=$! before after
    sleep 3
    before=$(awk "{print \$14 + \$15}" /proc/$pid/stat)
    sleep 10
    after=$(awk "{print \$14 + \$15}" /proc/$pid/stat)
    kill $pid; wait $pid 2>/dev/null
    echo $(( (after - before) * 1000 / $(getconf CLK_TCK) / 10 ))
  }
  printf "saver CPU, ms per second of playing: %-24s %14s %14s\n" "" "changes only" "whole paints"
  for row in "the demo at natural size||0" "the demo scaled||1" "a static recording|$(winepath -w "$static")|0"; do
    IFS="|" read -r label path scale <<<"$row"
    printf "  %-54s %14s %14s\n" "$label" "$(cpu_per_second "$path" "$scale")" "$(cpu_per_second "$path" "$scale" whole)"
  done
  rm -f "$static"

  # Resident memory of the saver playing the demo over and over: a leak grows
  # it in every interval, a one-off allocation of the system in one at most.
  wine reg add "$key" /v Path /t REG_SZ /d "" /f >/dev/null 2>&1
  wine reg add "$key" /v "Auto repeat" /t REG_DWORD /d 1 /f >/dev/null 2>&1
  wine reg add "$key" /v "Scale to fit screen" /t REG_DWORD /d 0 /f >/dev/null 2>&1
  unset QUORVANE_TEST_WHOLE_PAINTS
  wine "$saver" /s >/dev/null 2>&1 </dev/null &
  pid=$!
  resident=""
  for at in 3 13 23 33; do
    sleep $(( at == 3 ? 3 : 10 ))
    resident="$resident $(awk "/^VmRSS/ {printf \"%.1f\", \$2 / 1024}" /proc/$pid/status) MB at $at s,"
  done
  kill $pid; wait $pid 2>/dev/null
  echo "saver resident memory, the demo on auto repeat:${resident%,}"
  wine reg delete "$key" /f >/dev/null 2>&1
' "$saver" "$build"

echo
echo "== recording (the $QV_WINDOWS_ARCH recorder under Wine, the saver playing the demo)"
scripts/wine/wine-session.sh bench/recorder-bench.sh "$saver" \
  "$PWD/$(qv_dist_dir "$QV_WINDOWS_ARCH")/grabora.exe" build/host/tools/vqdtool build/host/demo.vqd
