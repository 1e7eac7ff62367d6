#!/usr/bin/env bash
# replay: runs every fuzz target once over its committed corpus (part of make test).
# long:   fuzzes every target for FUZZ_SECONDS (default 60) each, adding finds to the corpus.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
mode=${1:-replay}
ls "$top"/fuzz/*.cpp >/dev/null 2>&1 || { echo "fuzz: no targets"; exit 0; }
"$top/scripts/build.sh" build-fuzz
for bin in "$top"/build-fuzz/bin/fuzz_*; do
  name=$(basename "$bin")
  corpus="$top/fuzz/corpus/${name#fuzz_}"
  mkdir -p "$corpus"
  if [ "$mode" = long ]; then
    "$bin" -max_total_time="${FUZZ_SECONDS:-60}" "$corpus"
  else
    "$bin" -runs=0 "$corpus" 2>&1 | tail -1
  fi
done
echo "fuzz: corpus replay passed"
