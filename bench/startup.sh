#!/usr/bin/env bash
# Start-up benchmark: Zentrel (Splash "No", a configured game directory) against a hello-world Qt Widgets
# window built in the same tree, run alternately under one Xvfb. Prints the medians of the wall time from
# process start to the first paint, of the instructions executed to that point (callgrind) and of the
# peak memory, and Zentrel's ratios to the hello-world.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/bootstrap.sh
cmake --preset default >/dev/null
cmake --build --preset default --target zentrel bench_hello >/dev/null

runs=${RUNS:-15}
callgrind_runs=${CALLGRIND_RUNS:-3}
bin=$PWD/build/default/bin
tmp=$(mktemp -d)

exec 3< <(exec Xvfb -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp 2>/dev/null)
xvfb_pid=$! # the Xvfb started here, never another program's
read -r display <&3
trap 'kill $xvfb_pid 2>/dev/null; rm -rf "$tmp"' EXIT

export DISPLAY=":$display" QT_QPA_PLATFORM=xcb XDG_CURRENT_DESKTOP= HOME="$tmp/home"
export XDG_CONFIG_HOME="$tmp/config" XDG_RUNTIME_DIR="$tmp/run"
mkdir -p "$tmp/home" "$tmp/config/Zentrel" "$tmp/run" "$tmp/game"
chmod 700 "$tmp/run"
: > "$tmp/game/DUKE3D.EXE"
printf '[Paths]\nDukePath=%s\n[Prefs]\nSplash=No\nDukeWin=0\nHideDosWin=No\nCloseDosWin=No\n' \
  "$tmp/game" > "$tmp/config/Zentrel/Zentrel.ini"

median() { sort -g | awk '{v[NR]=$1} END {if (NR%2) m=v[(NR+1)/2]; else m=(v[NR/2]+v[NR/2+1])/2; printf "%.3f\n", m}'; }

run_once() { # program -> "ms rss_kib"
  local t0 out
  t0=$(date +%s%N)
  out=$(ZENTREL_BENCH_T0=$t0 /usr/bin/time -f 'maxrss %M' "$1" 2>&1)
  awk '/^first-paint-ms/ {ms=$2} /^maxrss/ {rss=$2} END {print ms, rss}' <<<"$out"
}

instructions() {
  ZENTREL_BENCH_T0=1 valgrind --tool=callgrind --callgrind-out-file=/dev/null "$1" 2>&1 |
    awk '/Collected :/ {print $NF}'
}

: > "$tmp/hello.txt"; : > "$tmp/zentrel.txt"
run_once "$bin/bench_hello" >/dev/null; run_once "$bin/zentrel" >/dev/null # warm the caches
for ((i = 0; i < runs; i++)); do
  run_once "$bin/bench_hello" >> "$tmp/hello.txt"
  run_once "$bin/zentrel" >> "$tmp/zentrel.txt"
done
: > "$tmp/hello.ins"; : > "$tmp/zentrel.ins"
for ((i = 0; i < callgrind_runs; i++)); do
  instructions "$bin/bench_hello" >> "$tmp/hello.ins"
  instructions "$bin/zentrel" >> "$tmp/zentrel.ins"
done

h_ms=$(cut -d' ' -f1 "$tmp/hello.txt" | median); z_ms=$(cut -d' ' -f1 "$tmp/zentrel.txt" | median)
h_rss=$(cut -d' ' -f2 "$tmp/hello.txt" | median); z_rss=$(cut -d' ' -f2 "$tmp/zentrel.txt" | median)
h_ins=$(median < "$tmp/hello.ins"); z_ins=$(median < "$tmp/zentrel.ins")

awk -v runs="$runs" -v hm="$h_ms" -v zm="$z_ms" -v hi="$h_ins" -v zi="$z_ins" -v hr="$h_rss" -v zr="$z_rss" 'BEGIN {
  printf "start-up to first paint, %d alternating runs each (medians)\n", runs
  printf "%-12s %10s %16s %12s\n", "", "wall ms", "instructions", "peak MiB"
  printf "%-12s %10.1f %16.0f %12.1f\n", "hello-world", hm, hi, hr / 1024
  printf "%-12s %10.1f %16.0f %12.1f\n", "zentrel", zm, zi, zr / 1024
  printf "ratio wall %.2f, ratio instructions %.2f, extra peak memory %.1f MiB (targets: ratio <= 1.3, <= 10 MiB)\n", zm / hm, zi / hi, (zr - hr) / 1024
}'
