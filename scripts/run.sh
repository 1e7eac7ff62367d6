#!/usr/bin/env bash
# Starts two virtual printers, one on a pseudo-terminal reachable as COM1 and one on TCP/IP at
# 127.0.0.1:50001, and opens the program from its own folder. Each printer keeps its memory in a
# state file of its own in build/bin/ across runs; a new one starts with a year of daily reports.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bin="$top/build/bin"
if [ ! -x "$bin/kelmemu" ] || [ ! -x "$bin/kldiag" ]; then
  echo "run: the virtual printer or the desktop program is not built yet; nothing to start."
  exit 0
fi
mkdir -p "$bin/dosdevices"
# --history-days fills only an empty fiscal memory, so a kept state file is never refilled.
history=(--history-days 365)
"$bin/kelmemu" --pty --link "$bin/dosdevices/com1" --paper "$bin/paper-com1.txt" \
  --state "$bin/kelmemu-com1.state" "${history[@]}" > "$bin/kelmemu.out" &
pty_emu=$!
"$bin/kelmemu" --tcp 127.0.0.1:50001 --paper "$bin/paper-tcp.txt" \
  --state "$bin/kelmemu-tcp.state" "${history[@]}" > "$bin/kelmemu-tcp.out" &
tcp_emu=$!
trap 'kill $pty_emu $tcp_emu 2>/dev/null || true' EXIT
for _ in $(seq 50); do
  [ -s "$bin/kelmemu.out" ] && [ -s "$bin/kelmemu-tcp.out" ] && break
  sleep 0.1
done
echo "run: virtual printer on COM1: $(head -1 "$bin/kelmemu.out")"
echo "run: virtual printer on TCP/IP: $(head -1 "$bin/kelmemu-tcp.out")"
echo "run: printed documents go to build/bin/paper-com1.txt and build/bin/paper-tcp.txt"
echo "run: the printers' memory is kept in build/bin/kelmemu-com1.state and kelmemu-tcp.state"
cd "$bin"
./kldiag
