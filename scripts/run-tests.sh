#!/usr/bin/env bash
# Installs what is missing, then builds and runs the whole test suite twice: an optimised build,
# and a build with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/install-deps.sh"
jobs=$(nproc)

run_suite() {  # run_suite <build folder> <cmake options...>
  local build=$1
  shift
  cmake -S "$root" -B "$build" -G Ninja "$@" >/dev/null
  cmake --build "$build" -j "$jobs"
  (cd "$build" && ctest --output-on-failure -j "$jobs")
}

run_suite "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  run_suite "$root/build-sanitize" -DCMAKE_BUILD_TYPE=Debug -DQV7_SANITIZE=ON -DQV7_BUILD_BENCH=OFF
