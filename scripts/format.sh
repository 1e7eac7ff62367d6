#!/usr/bin/env bash
# check: fails when a source file differs from .clang-format; fix: reformats in place.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
mapfile -t files < <(git ls-files -co --exclude-standard -- 'src' 'emulator' 'tools' 'tests' 'bench' 'fuzz' \
  | grep -E '\.(cpp|h|c)$' || true)
[ ${#files[@]} -eq 0 ] && exit 0
if [ "${1:-check}" = fix ]; then
  clang-format -i "${files[@]}"
else
  clang-format --dry-run --Werror "${files[@]}"
  echo "format: ${#files[@]} files follow .clang-format"
fi
