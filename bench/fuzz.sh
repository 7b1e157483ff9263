#!/usr/bin/env bash
# Runs every fuzz target (or those named) for a while, one after the other, and prints a table:
# executions, executions per second, coverage (edges and features), corpus size and findings.
#
#   bench/fuzz.sh [SECONDS] [TARGET...]      e.g. bench/fuzz.sh 600 settings textbuffer
#   FUZZ_SECONDS=60 bench/fuzz.sh
#
# Builds the fuzz preset first (incrementally; build/fuzz). Each target grows its own corpus in
# build/fuzz/work/<target>, started from fuzz/corpus/<target>, so a later run goes on from there;
# findings (the inputs that broke a property or crashed) go to build/fuzz/findings/<target>.
# Exit status 1 when anything was found.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
seconds=${1:-${FUZZ_SECONDS:-60}}
[ $# -gt 0 ] && shift
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for dir in fuzz/corpus/*/; do targets+=("$(basename "$dir")"); done
fi

cmake --preset fuzz >/dev/null
nice cmake --build --preset fuzz >/dev/null

bin=$root/build/fuzz/fuzz
printf '%-15s %8s %12s %9s %7s %8s %8s %9s\n' target seconds executions exec/s edges features corpus findings
found=0
for t in "${targets[@]}"; do
  work=$root/build/fuzz/work/$t
  findings=$root/build/fuzz/findings/$t
  mkdir -p "$work" "$findings"
  log=$root/build/fuzz/work/$t.log
  touch "$log.start"
  status=0
  (cd "$findings" && nice "$bin/fuzz_$t" -max_total_time="$seconds" -print_final_stats=1 -timeout=10 \
      -rss_limit_mb=2048 -error_exitcode=1 -timeout_exitcode=1 -artifact_prefix="$findings/" \
      "$work" "$root/fuzz/corpus/$t") >"$log" 2>&1 || status=$?
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
  cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
  ft=$(grep -o 'ft: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
  corpus=$(find "$work" -type f | wc -l)
  n=$(find "$findings" -type f -newer "$log.start" \( -name 'crash-*' -o -name 'leak-*' -o -name 'timeout-*' -o -name 'oom-*' \) | wc -l)
  if [ "$status" -ne 0 ] && [ "$n" -eq 0 ]; then n="error"; fi
  [ "$n" != 0 ] && found=1
  printf '%-15s %8s %12s %9s %7s %8s %8s %9s\n' "$t" "$seconds" "${execs:-?}" "${rate:-?}" "${cov:-?}" "${ft:-?}" \
    "$corpus" "$n"
  if [ "$n" != 0 ]; then
    grep -m3 -E 'property broken|ERROR: |runtime error' "$log" | sed 's/^/    /' || true
    echo "    log: $log; inputs: $findings"
  fi
done
exit "$found"
