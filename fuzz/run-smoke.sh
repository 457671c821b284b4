#!/usr/bin/env bash
# Runs every fuzzer for SECONDS each on a corpus seeded from the encoder (the
# manifest parser's from example manifests).
# Exits non-zero on any crash, leak, timeout (> 1 s per input) or memory
# use above 512 MB.   fuzz/run-smoke.sh SECONDS [BUILD_DIR]
set -euo pipefail
seconds=${1:?usage: run-smoke.sh SECONDS [BUILD_DIR]}
build=${2:-build/host}
fuzz="$build/fuzz"
work="$fuzz/work"
mkdir -p "$work/seeds/container" "$work/seeds/frame_update" "$work/corpus/container" \
         "$work/corpus/frame_update" "$work/corpus/key_value_text" "$work/findings"
"$fuzz/fuzz-seeds" "$work/seeds/container" "$work/seeds/frame_update" >/dev/null

# Freed blocks wait in ASan's quarantine (256 MB by default) and would count
# against the 512 MB limit on top of the reader's own bounded buffers.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}quarantine_size_mb=64"

# The manifest parser's seeds are example manifests kept beside this script.
seeds_of() {
  if [ "$1" = key_value_text ]; then echo "$(dirname "$0")/seeds/key_value_text"; else echo "$work/seeds/$1"; fi
}

status=0
for target in container frame_update key_value_text; do
  echo "fuzzing $target for ${seconds}s"
  if ! "$fuzz/${target}_fuzzer" -max_total_time="$seconds" -rss_limit_mb=512 -timeout=1 \
        -artifact_prefix="$work/findings/${target}-" -print_final_stats=1 \
        "$work/corpus/$target" "$(seeds_of "$target")" >"$work/$target.log" 2>&1; then
    echo "FINDING in $target (see $work/$target.log and $work/findings/)"
    tail -n 30 "$work/$target.log"
    status=1
  else
    grep -E 'stat::number_of_executed_units|stat::peak_rss_mb' "$work/$target.log" | tr '\n' ' '
    echo
  fi
done
exit $status
