#!/usr/bin/env bash
# Builds and runs every test: format check, the normal build with its unit, GUI (offscreen)
# and end-to-end tests, the headless tests again under ASan/UBSan, and the fuzz corpus replay.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)
scripts/format.sh check
scripts/build.sh build
ctest --test-dir build --output-on-failure -j "$jobs"
scripts/build.sh build-asan
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs"
scripts/fuzz.sh replay
