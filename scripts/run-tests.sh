#!/usr/bin/env bash
# Every test of the project: the native tests, a short run of each fuzzer, and
# the Windows tests under Wine in one session (prefix, Xvfb, wineserver).
# Ends with "N passed, N failed" and a non-zero exit when anything failed.
set -u
cd "$(dirname "$0")/.."
passed=0
failed=0

# Runs a CTest invocation and adds its counts.
count_ctest() {
  local log
  log=$(mktemp)
  "$@" 2>&1 | tee "$log"
  local summary
  summary=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n1)
  if [ -z "$summary" ]; then
    echo "run-tests: no CTest summary from: $*" >&2
    failed=$((failed + 1))
  else
    local bad total
    bad=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$summary")
    total=$(sed -E 's/.* failed out of ([0-9]+).*/\1/' <<<"$summary")
    passed=$((passed + total - bad))
    failed=$((failed + bad))
  fi
  rm -f "$log"
}

echo "== native tests"
count_ctest ctest --test-dir build/host --output-on-failure

if [ -x fuzz/run-smoke.sh ]; then
  echo "== fuzz smoke"
  if fuzz/run-smoke.sh "${QV_FUZZ_SECONDS:-30}"; then passed=$((passed + 1)); else failed=$((failed + 1)); fi
fi

echo "== Windows tests under Wine"
count_ctest tests/harness/wine-session.sh ctest --test-dir build/windows --output-on-failure

echo "== the presenter on a 16-bit display"
QV_SCREEN=1024x768x16 count_ctest tests/harness/wine-session.sh ctest --test-dir build/windows \
  --output-on-failure -R presenter_tests

echo
echo "tests: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
