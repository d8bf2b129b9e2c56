#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for the given number of seconds on a
# copy of its seed corpus in fuzz/corpus/<name>/. Usage: scripts/run-fuzz.sh <seconds> [build]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:?usage: run-fuzz.sh <seconds> [build folder]}
build=${2:-$root/build-fuzz}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang \
  -DQV7_FUZZ=ON -DQV7_BUILD_TESTS=OFF -DQV7_BUILD_BENCH=OFF >/dev/null
status=0
for source in "$root"/fuzz/*_fuzz.cpp; do
  name=$(basename "$source" .cpp)
  if ! cmake --build "$build" --target "$name"; then
    echo "Could not build $name" >&2
    status=1
    continue
  fi
  corpus=$(mktemp -d)
  if [ -d "$root/fuzz/corpus/${name%_fuzz}" ]; then
    cp -r "$root/fuzz/corpus/${name%_fuzz}/." "$corpus/"
  fi
  echo "Running $name for $seconds s (log: $build/$name.log)"
  if ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    "$build/fuzz/$name" -max_total_time="$seconds" -rss_limit_mb=2048 -max_len=65536 \
    -artifact_prefix="$build/$name-" "$corpus" >"$build/$name.log" 2>&1; then
    tail -n 1 "$build/$name.log"
  else
    status=1
    echo "$name found a fault:" >&2
    tail -n 60 "$build/$name.log" >&2
  fi
  rm -rf "$corpus"
done
exit $status
