#!/usr/bin/env bash
# Runs every benchmark program of the normal build five times and prints one table: figure, the
# median of the runs with their spread (min-max), goal, value over goal, and whether the goal is
# met. The programs' own output stays in build/bench-output/ for a closer look. The figures of a
# readout over a line depend on how busy the machine is (every record is one round trip through
# the kernel), so the load average is printed beside the table.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bin=$top/build/bin
out=$top/build/bench-output
rm -rf "$out"
mkdir -p "$out"
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}

# run NAME TIMES: runs build/bin/NAME that many times, each output into $out/NAME.K.
run() {
  local name=$1 times=$2 k
  if [ ! -x "$bin/$name" ]; then
    echo "bench: $name is not built" >&2
    return
  fi
  echo "bench: $name x$times" >&2
  for ((k = 1; k <= times; k++)); do
    "$bin/$name" >"$out/$name.$k" 2>&1 || echo "bench: $name run $k failed" >&2
  done
}

# pick NAME SED: the number the sed expression prints from each run's output, one a line.
pick() {
  local file
  for file in "$out/$1".*; do
    [ -f "$file" ] && sed -n "$2" "$file" | head -n 1
  done
}

rows=()
# row FIGURE UNIT GOAL le|ge VALUES...: a line of the table from the values of the runs.
row() {
  local figure=$1 unit=$2 goal=$3 sense=$4
  shift 4
  if [ $# = 0 ] || [ -z "$goal" ]; then
    rows+=("$(printf '%-52s|%-26s|%-14s|%-7s|%s' "$figure" "not measured" "-" "-" "-")")
    return
  fi
  rows+=("$(printf '%s\n' "$@" | sort -g | awk -v figure="$figure" -v unit="$unit" \
    -v goal="$goal" -v sense="$sense" '
      { v[NR] = $1 }
      END {
        median = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
        value = sprintf("%.4g %s", median, unit)
        if (NR > 1) value = value sprintf(" (%.4g-%.4g)", v[1], v[NR])
        met = (sense == "le") ? (median <= goal) : (median >= goal)
        printf "%-52s|%-26s|%-14s|%-7.3f|%s", figure, value,
               (sense == "le" ? "<= " : ">= ") sprintf("%.4g", goal), median / goal,
               met ? "yes" : "NO"
      }')")
}

# limit NAME SED: 1.02 times the protocol's limit the benchmark printed (the first run's): the
# bytes both ways at the line rate plus the read time-outs a serial line must sit out.
limit() {
  pick "$1" "$2" | head -n 1 | awk '{ if ($1 != "") printf "%.4f", $1 * 1.02 }'
}

runs=${BENCH_RUNS:-5}
load_before=$(cut -d' ' -f1-3 /proc/loadavg)
run bench_readout_link "$runs"
run bench_readout_text "$runs"
run bench_startup "$runs"
run bench_check_last_command "$runs"
run bench_emulator_readout "$runs"
run bench_readout_kelmemu "$runs"
run bench_test_run "$runs"

for layout in 174 290 296; do
  match="s/^layout $layout, 365 daily reports: read, .* records in \\([0-9.]*\\) s,.*/\\1/p"
  goal="s/^layout $layout, 365 daily reports: .*line-rate limit \\([0-9.]*\\) s.*/\\1/p"
  mapfile -t v < <(pick bench_readout_kelmemu "$match")
  row "year's readout, layout $layout, kelmemu over a pty" s "$(limit bench_readout_kelmemu "$goal")" \
    le "${v[@]}"
done
mapfile -t v < <(pick bench_readout_link 's/^  time \([0-9.]*\) s, .*/\1/p')
row "year's readout, program against a paced printer" s \
  "$(limit bench_readout_link 's/.*line-rate limit \([0-9.]*\) s.*/\1/p')" le "${v[@]}"
mapfile -t v < <(pick bench_emulator_readout 's/^a year .* in \([0-9.]*\) s, line-rate.*/\1/p')
row "year's readout, kelmemu's pacing alone" s \
  "$(limit bench_emulator_readout 's/^a year .*line-rate limit \([0-9.]*\) s.*/\1/p')" le "${v[@]}"
# Over the serial link the status query first drains the input and then reads its byte in a
# read of up to 50 bytes, each costing one read time-out of 100 ms; over TCP neither waits.
mapfile -t v < <(pick bench_check_last_command 's/^pseudo-terminal: CheckLastCommand *median *\([0-9.]*\) ms.*/\1/p')
row "CheckLastCommand over a pty (2 time-outs of 100 ms)" ms 202 le "${v[@]}"
mapfile -t v < <(pick bench_check_last_command 's/^TCP: CheckLastCommand *median *\([0-9.]*\) ms.*/\1/p')
row "CheckLastCommand over TCP" ms 2 le "${v[@]}"
mapfile -t v < <(pick bench_readout_text 's/^  time \([0-9.]*\) s .*/\1/p')
row "10,000 layout-290 reports to text" s 1 le "${v[@]}"
# Test runs of 5-line receipts, both sliders at 0: over TCP a count, over the pty the share of
# what the documented waits allow (the bench prints that bound and where the rest of the time went).
for check in off on; do
  mapfile -t v < <(pick bench_test_run "s/^TCP  totals check $check *: .* = \\([0-9]*\\) receipts\\/min.*/\\1/p")
  row "test receipts a minute over TCP, check $check" "" 1000 ge "${v[@]}"
  mapfile -t v < <(pick bench_test_run "s/^pty  totals check $check *: .*, \\([0-9]*\\) %).*/\\1/p")
  row "test receipts over a pty, check $check, of waits' bound" % 90 ge "${v[@]}"
done
mapfile -t v < <(pick bench_startup 's/^main window shown (mean of [0-9]*): \([0-9.]*\) ms/\1/p')
row "kldiag start-up to the shown main window" ms 100 le "${v[@]}"
mapfile -t v < <(pick bench_startup 's/^resident memory: \([0-9]*\) KiB/\1/p' |
  awk '{ printf "%.1f\n", $1 / 1024 }')
row "kldiag resident memory after start-up" MiB 60 le "${v[@]}"

echo "ratio: value over goal; the line-rate goals are 2 % over each benchmark's own limit"
echo "runs: $runs each; load average $load_before before, $(cut -d' ' -f1-3 /proc/loadavg) after"
printf '%-52s|%-26s|%-14s|%-7s|%s\n' figure "value (spread)" goal ratio met
printf '%s\n' "${rows[@]}"
