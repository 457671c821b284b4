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

echo "== code style (.clang-format; make format rewrites)"
if git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror; then
  passed=$((passed + 1))
else
  failed=$((failed + 1))
fi

echo "== native tests"
count_ctest ctest --test-dir build/host --output-on-failure

if [ -x fuzz/run-smoke.sh ]; then
  echo "== fuzz smoke"
  if fuzz/run-smoke.sh "${QV_FUZZ_SECONDS:-30}"; then passed=$((passed + 1)); else failed=$((failed + 1)); fi
fi

# The Windows suite runs on each build this host can run (host-arch.sh), each
# build in its own prefix and session, one session at a time.
source scripts/wine/host-arch.sh
archs=$(qv_windows_test_archs) || { failed=$((failed + 1)); archs=""; }
runs_summary=""
for arch in $archs; do
  echo "== Windows tests under Wine ($arch build)"
  before=$((passed + failed))
  QV_WINDOWS_ARCH=$arch count_ctest scripts/wine/wine-session.sh \
    ctest --test-dir "$(qv_build_dir "$arch")" --output-on-failure -LE own_session
  runs_summary+="$arch: $((passed + failed - before)) Windows test programs; "
done
if [ -z "${QV_WINDOWS_ARCH:-}" ] && ! qv_host_runs_x86; then
  echo "32-bit Windows tests skipped: this kernel cannot run 32-bit programs"
  runs_summary+="x86: skipped; "
fi

primary=$(qv_windows_arch) && {
  echo "== the pictures on a 16-bit display ($primary build)"
  QV_WINDOWS_ARCH=$primary QV_SCREEN=1024x768x16 count_ctest scripts/wine/wine-session.sh \
    ctest --test-dir "$(qv_build_dir "$primary")" --output-on-failure -R display16_tests
  echo "== two monitors side by side ($primary build)"
  QV_WINDOWS_ARCH=$primary QV_MONITORS=2 count_ctest scripts/wine/wine-session.sh \
    ctest --test-dir "$(qv_build_dir "$primary")" --output-on-failure -R two_monitor_tests
}

echo
echo "Windows suites: ${runs_summary:-none}"
echo "tests: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
