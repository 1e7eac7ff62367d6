#!/usr/bin/env bash
# replay: runs every fuzz target once over its committed corpus (part of make test).
# long:   fuzzes every target for FUZZ_SECONDS (default 60) each, adding finds to the corpus,
#         and goes on to the next target after a finding. Prints a row per target (seconds,
#         executions, corpus files, findings); the inputs that failed are kept in
#         build-fuzz/findings/ and each target's output in build-fuzz/fuzz-logs/. Exits 1 when
#         any target found something.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
mode=${1:-replay}
ls "$top"/fuzz/*.cpp >/dev/null 2>&1 || { echo "fuzz: no targets"; exit 0; }
"$top/scripts/build.sh" build-fuzz
if [ "$mode" != long ]; then
  for bin in "$top"/build-fuzz/bin/fuzz_*; do
    name=$(basename "$bin")
    corpus="$top/fuzz/corpus/${name#fuzz_}"
    mkdir -p "$corpus"
    "$bin" -runs=0 "$corpus" 2>&1 | tail -1
  done
  echo "fuzz: corpus replay passed"
  exit 0
fi

seconds=${FUZZ_SECONDS:-60}
findings_dir="$top/build-fuzz/findings"
logs="$top/build-fuzz/fuzz-logs"
mkdir -p "$findings_dir" "$logs"
failed=0
rows=()
for bin in "$top"/build-fuzz/bin/fuzz_*; do
  name=$(basename "$bin")
  corpus="$top/fuzz/corpus/${name#fuzz_}"
  mkdir -p "$corpus"
  log="$logs/$name.log"
  echo "fuzz: $name for $seconds s"
  rm -f "$findings_dir/$name-"*
  status=0
  "$bin" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$findings_dir/$name-" \
    "$corpus" >"$log" 2>&1 || status=$?
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  found=$(find "$findings_dir" -maxdepth 1 -name "$name-*" | wc -l)
  files=$(find "$corpus" -type f | wc -l)
  # A target that stops early without leaving an input (a leak report, a broken build) has
  # found something all the same.
  if [ "$status" -ne 0 ] && [ "$found" -eq 0 ]; then found=1; fi
  if [ "$found" -gt 0 ]; then
    failed=1
    grep -m1 -E '^(==[0-9]+==ERROR|SUMMARY)' "$log" || tail -3 "$log"
  fi
  rows+=("$(printf '%-32s %8s %12s %8s %8s' "$name" "$seconds" "${execs:-?}" "$files" "$found")")
done
printf '%-32s %8s %12s %8s %8s\n' target seconds execs corpus findings
printf '%s\n' "${rows[@]}"
if [ "$failed" -ne 0 ]; then
  echo "fuzz: findings kept in $findings_dir (logs in $logs)"
  exit 1
fi
echo "fuzz: no findings"
