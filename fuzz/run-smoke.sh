#!/usr/bin/env bash
# Runs every fuzzer for SECONDS each with JOBS processes (1 by default), from
# the kept seed corpus and what earlier runs in this build found. `make test`
# runs it briefly; `make fuzz` runs it long and then keeps what it found with
# merge-seeds.sh.
# Exits non-zero on any crash, leak, timeout (> 1 s per input) or memory
# use above 512 MB.   fuzz/run-smoke.sh SECONDS [JOBS] [BUILD_DIR]
set -euo pipefail
seconds=${1:?usage: run-smoke.sh SECONDS [JOBS] [BUILD_DIR]}
jobs=${2:-1}
BUILD_DIR=${3:-build/host}
# shellcheck source=fuzz/fuzz-common.sh
source "$(dirname "$0")/fuzz-common.sh"
mkdir -p "$work/findings"
make_encoder_seeds

# More than one job: libFuzzer's fork mode, which shares one corpus.
parallel=()
if [ "$jobs" -gt 1 ]; then parallel=(-fork="$jobs"); fi

status=0
for target in "${targets[@]}"; do
  echo "fuzzing $target for ${seconds}s with $jobs job(s)"
  # shellcheck disable=SC2046
  if ! "$fuzz/${target}_fuzzer" "${parallel[@]}" -max_total_time="$seconds" -rss_limit_mb=512 \
        -timeout=1 -artifact_prefix="$work/findings/${target}-" -print_final_stats=1 \
        $(corpus_of "$target") >"$work/$target.log" 2>&1; then
    echo "FINDING in $target (see $work/$target.log and $work/findings/)"
    tail -n 30 "$work/$target.log"
    status=1
  else
    # The last status line (executions, cov:, ft:, corpus) and the final figures.
    grep -E '^#[0-9]+' "$work/$target.log" | tail -n 1
    grep -E 'stat::number_of_executed_units|stat::average_exec_per_sec|stat::peak_rss_mb' \
      "$work/$target.log" | tr -s ' ' | tr '\n' ' '
    echo
  fi
done
exit $status
