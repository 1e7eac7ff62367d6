#!/usr/bin/env bash
# Pictures of the main window in the three model families, made under a virtual X server so the
# layout can be looked at: build/screenshots/main_family{0,1,2}.png. Nothing is compared.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/build.sh" build >/dev/null
cmake --build "$top/build" --target kldiag_screenshot >/dev/null
out="$top/build/screenshots"
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1024x768x24" \
  "$top/build/tests/kldiag_screenshot" "$out"
