#!/usr/bin/env bash
# Runs every benchmark program of the normal build (build/bench/bench_*) one after another.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
found=0
for bin in "$top"/build/bin/bench_* "$top"/build/bench/bench_*; do
  [ -f "$bin" ] && [ -x "$bin" ] || continue
  found=1
  echo "== $(basename "$bin")"
  "$bin"
done
[ "$found" = 1 ] || echo "bench: no benchmark programs built"
