#!/usr/bin/env bash
# Starts the virtual printer on a pseudo-terminal reachable as COM1 and opens the program.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bin="$top/build/bin"
if [ ! -x "$bin/kelmemu" ] || [ ! -x "$bin/kldiag" ]; then
  echo "run: the virtual printer or the desktop program is not built yet; nothing to start."
  exit 0
fi
mkdir -p "$bin/dosdevices"
"$bin/kelmemu" --pty --link "$bin/dosdevices/com1" > "$bin/kelmemu.out" &
emu=$!
trap 'kill $emu 2>/dev/null || true' EXIT
for _ in $(seq 50); do [ -s "$bin/kelmemu.out" ] && break; sleep 0.1; done
echo "run: virtual printer: $(head -1 "$bin/kelmemu.out") (COM1)"
cd "$bin"
./kldiag
