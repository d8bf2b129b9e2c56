#!/usr/bin/env bash
# Installs what is missing, builds, and runs qv7 on the sample lists and texts in samples/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$root/build" --target qv7
qv7="$root/build/cli/qv7"
samples="$root/samples"
set -x
"$qv7" lemmatise --ignore-case --lemmas "$samples/lemmas-en.txt" --stop "$samples/stop-en.txt" \
  "$samples/text-en.txt" "$samples/text-short.txt"
"$qv7" lemmatise --ignore-case --locale 0x041F --lemmas "$samples/lemmas-tr-utf16.txt" \
  "$samples/text-tr.txt"
"$qv7" lookup --kind lemma "$samples/lemmas-en.txt" went mice go
"$qv7" list --kind lemma --max 9 "$samples/lemmas-en.txt"
