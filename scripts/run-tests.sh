#!/usr/bin/env bash
# Installs what is missing, then builds and runs the whole test suite twice: an optimised build,
# and a build with AddressSanitizer and UndefinedBehaviorSanitizer. Last, every fuzz target runs
# briefly (QV7_FUZZ_SECONDS each, default 20).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/install-deps.sh"
jobs=$(nproc)

passed=0
failed=0
run_suite() {  # run_suite <build folder> <cmake options...>
  local build=$1
  shift
  cmake -S "$root" -B "$build" -G Ninja "$@" >/dev/null
  cmake --build "$build" -j "$jobs"
  local status=0
  (cd "$build" && ctest --output-on-failure -j "$jobs") | tee "$build/ctest.log" || status=1
  local line
  line=$(grep -E "tests passed, [0-9]+ tests failed out of [0-9]+" "$build/ctest.log" | tail -n 1)
  local total=${line##* out of }
  local bad=${line#*tests passed, }
  bad=${bad%% tests failed*}
  passed=$((passed + total - bad))
  failed=$((failed + bad))
  return $status
}

run_suite "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  run_suite "$root/build-sanitize" -DCMAKE_BUILD_TYPE=Debug -DQV7_SANITIZE=ON -DQV7_BUILD_BENCH=OFF

fuzz_status=0
bash "$root/scripts/run-fuzz.sh" "${QV7_FUZZ_SECONDS:-20}" "$root/build-fuzz" || fuzz_status=1
[ $fuzz_status -eq 0 ] || failed=$((failed + 1))
echo "summary: $passed passed, $failed failed"
exit $((failed > 0 ? 1 : 0))
