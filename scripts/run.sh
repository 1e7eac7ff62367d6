#!/usr/bin/env bash
# Starts two virtual printers, one on a pseudo-terminal reachable as COM1 and one on TCP/IP at
# 127.0.0.1:50001, and opens the program from its own folder.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bin="$top/build/bin"
if [ ! -x "$bin/kelmemu" ] || [ ! -x "$bin/kldiag" ]; then
  echo "run: the virtual printer or the desktop program is not built yet; nothing to start."
  exit 0
fi
mkdir -p "$bin/dosdevices"
"$bin/kelmemu" --pty --link "$bin/dosdevices/com1" --paper "$bin/paper-com1.txt" \
  > "$bin/kelmemu.out" &
pty_emu=$!
"$bin/kelmemu" --tcp 127.0.0.1:50001 --paper "$bin/paper-tcp.txt" > "$bin/kelmemu-tcp.out" &
tcp_emu=$!
trap 'kill $pty_emu $tcp_emu 2>/dev/null || true' EXIT
for _ in $(seq 50); do
  [ -s "$bin/kelmemu.out" ] && [ -s "$bin/kelmemu-tcp.out" ] && break
  sleep 0.1
done
echo "run: virtual printer on COM1: $(head -1 "$bin/kelmemu.out")"
echo "run: virtual printer on TCP/IP: $(head -1 "$bin/kelmemu-tcp.out")"
echo "run: printed documents go to build/bin/paper-com1.txt and build/bin/paper-tcp.txt"
cd "$bin"
./kldiag
