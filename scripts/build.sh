#!/usr/bin/env bash
# Configures (once) and builds one build directory.
#   build.sh build        the normal build (programs in build/bin)
#   build.sh build-asan   headless code and its tests under AddressSanitizer + UBSan
#   build.sh build-fuzz   libFuzzer targets (clang)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-build}
args=(-G Ninja -S "$top" -B "$top/$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo)
case "$dir" in
  build-asan) args+=(-DKELM_SANITIZE=ON -DKELM_WITH_GUI=OFF -DCMAKE_BUILD_TYPE=Debug) ;;
  build-fuzz) args+=(-DKELM_FUZZ=ON -DKELM_WITH_GUI=OFF -DCMAKE_C_COMPILER=clang-14
                     -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_BUILD_TYPE=Debug) ;;
esac
if [ ! -f "$top/$dir/build.ninja" ]; then
  cmake "${args[@]}" >/dev/null
fi
jobs=$(nproc)
cmake --build "$top/$dir" -j "$jobs"
