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
echo "== scaling (native): our scaler beside stb_image_resize on the same frames"
build/host/bench/scaler-bench build/host/demo.vqd

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
  median3() { printf "%s\n" "$@" | sort -n | sed -n 2p; }
  static_path=$(wine winepath.exe -w "$static" 2>/dev/null)
  declare -A changes whole
  for row in natural scaled static; do
    case $row in
      natural) path="" scale=0 ;;
      scaled) path="" scale=1 ;;
      static) path=$static_path scale=0 ;;
    esac
    changes[$row]=$(median3 "$(cpu_per_second "$path" $scale)" "$(cpu_per_second "$path" $scale)" "$(cpu_per_second "$path" $scale)")
    whole[$row]=$(cpu_per_second "$path" $scale whole)
  done
  printf "saver CPU, ms per second of playing %-18s %14s %12s %14s\n" "" "changes only" "x static" "whole paints"
  for row in "natural|the demo at natural size" "scaled|the demo scaled to 1024x768" "static|a static recording (the baseline)"; do
    IFS="|" read -r name label <<<"$row"
    printf "  %-52s %14s %12s %14s\n" "$label" "${changes[$name]}" \
      "$(awk -v a="${changes[$name]}" -v b="${changes[static]}" "BEGIN { printf \"%.2f\", b ? a / b : 0 }")" "${whole[$name]}"
  done
  echo "  (changes only: the median of 3 runs of 10 s; whole paints: every paint brings the whole picture)"
  rm -f "$static"

  # Resident memory of the saver playing over and over: a leak grows it in
  # every interval, a one-off allocation of the system in one at most.
  resident_memory() {  # at each of the seconds given
    wine "$saver" /s >/dev/null 2>&1 </dev/null &
    local pid=$! list="" at last=0
    for at in "$@"; do
      sleep $(( at - last )); last=$at
      list="$list $(awk "/^VmRSS/ {printf \"%.1f\", \$2 / 1024}" /proc/$pid/status) MB at $at s,"
    done
    kill $pid; wait $pid 2>/dev/null
    echo "${list%,}"
  }
  wine reg add "$key" /v Path /t REG_SZ /d "" /f >/dev/null 2>&1
  wine reg add "$key" /v "Auto repeat" /t REG_DWORD /d 1 /f >/dev/null 2>&1
  wine reg add "$key" /v "Scale to fit screen" /t REG_DWORD /d 0 /f >/dev/null 2>&1
  unset QUORVANE_TEST_WHOLE_PAINTS
  echo "saver resident memory, the demo on auto repeat:$(resident_memory 3 13 23 33)"
  # A folder whose short recordings follow one another many times a second:
  # each switch releases one recording and opens the next.
  clips=$(mktemp -d -p "$PWD/build")
  scripts/wine/wine-run.sh "$build/bench/playback-bench.exe" --clips "$(wine winepath.exe -w "$clips" 2>/dev/null)"
  wine reg add "$key" /v Path /t REG_SZ /d "$(wine winepath.exe -w "$clips" 2>/dev/null)" /f >/dev/null 2>&1
  wine reg add "$key" /v "Quick play" /t REG_DWORD /d 1 /f >/dev/null 2>&1
  echo "saver resident memory, a folder of 40 ms recordings on auto repeat:$(resident_memory 3 13 23 33 43)"
  rm -rf "$clips"
  wine reg delete "$key" /f >/dev/null 2>&1
' "$saver" "$build"

echo
echo "== recording (the $QV_WINDOWS_ARCH recorder under Wine, the saver playing the demo)"
scripts/wine/wine-session.sh bench/recorder-bench.sh "$saver" \
  "$PWD/$(qv_dist_dir "$QV_WINDOWS_ARCH")/grabora.exe" build/host/tools/vqdtool build/host/demo.vqd
