#!/usr/bin/env bash
# Pictures of every window of the program as a private X server shows them, bare and under a
# window manager: build/screenshots/bare/ and build/screenshots/openbox/ (the test that make test
# runs as app_xvfb_screens and app_xvfb_screens_wm; it fails on a blank or cut-off window).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/build.sh" build >/dev/null
out="$top/build/screenshots"
"$top/build/tests/xvfb_screens" "$out/bare"
"$top/build/tests/xvfb_screens" "$out/openbox" --wm openbox
