#!/usr/bin/env bash
# Start-up benchmark: Zentrel (Splash "No", a configured game directory) against a hello-world Qt Widgets
# window built in the same tree, run alternately under one Xvfb. Prints the medians of the wall time from
# process start to the first paint, of the instructions executed to that point (callgrind) and of the
# peak memory, and Zentrel's ratios to the hello-world. Then Zentrel alone, alternating between a game
# directory without saved games and one with ten bad ones (empty, short, huge, binary, unreadable, a
# directory, a pipe, links to a device and to nothing): the start-up must not notice them.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/bootstrap.sh
cmake --preset default >/dev/null
cmake --build --preset default --target zentrel bench_hello >/dev/null

runs=${RUNS:-31}
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
settings() { # game directory -> Zentrel.ini
  printf '[Paths]\nDukePath=%s\n[Prefs]\nSplash=No\nDukeWin=0\nHideDosWin=No\nCloseDosWin=No\n' "$1"
}
settings "$tmp/game" > "$tmp/config/Zentrel/Zentrel.ini"

# The same game directory with ten saved games that are all bad.
bad=$tmp/badgame
mkdir -p "$bad" "$tmp/badconfig/Zentrel"
: > "$bad/DUKE3D.EXE"
: > "$bad/GAME0.SAV"
head -c 25 /dev/urandom > "$bad/GAME1.SAV"
head -c 10M /dev/urandom > "$bad/game2.sav"
head -c 10M /dev/zero > "$bad/GAME3.SAV"
head -c 4096 /dev/urandom > "$bad/Game4.Sav"
head -c 4096 /dev/urandom > "$bad/GAME5.SAV"; chmod 000 "$bad/GAME5.SAV"
mkfifo "$bad/GAME6.SAV"
ln -s /dev/zero "$bad/GAME7.SAV"
ln -s "$bad/nothing" "$bad/GAME8.SAV"
mkdir "$bad/GAME9.SAV"
settings "$bad" > "$tmp/badconfig/Zentrel/Zentrel.ini"

median() { sort -g | awk '{v[NR]=$1} END {if (NR%2) m=v[(NR+1)/2]; else m=(v[NR/2]+v[NR/2+1])/2; printf "%.3f\n", m}'; }

run_once() { # program -> "ms rss_kib"
  local t0 out
  t0=$(date +%s%N)
  out=$(ZENTREL_BENCH_T0=$t0 /usr/bin/time -f 'maxrss %M' "$1" 2>&1)
  awk '/^first-paint-ms/ {ms=$2} /^maxrss/ {rss=$2} END {print ms, rss}' <<<"$out"
}

# The main process's own count: a forked child (D-Bus autolaunch) logs a "Collected" line of its own.
main_instructions() {
  local pid
  ZENTREL_BENCH_T0=1 valgrind --tool=callgrind --callgrind-out-file=/dev/null --log-file="$tmp/vg.%p" "$1" \
    >/dev/null 2>&1 &
  pid=$!
  wait "$pid" || true
  awk '/Collected :/ {print $NF}' "$tmp/vg.$pid"
}

: > "$tmp/hello.txt"; : > "$tmp/zentrel.txt"
run_once "$bin/bench_hello" >/dev/null; run_once "$bin/zentrel" >/dev/null # warm the caches
for ((i = 0; i < runs; i++)); do
  run_once "$bin/bench_hello" >> "$tmp/hello.txt"
  run_once "$bin/zentrel" >> "$tmp/zentrel.txt"
done
: > "$tmp/hello.ins"; : > "$tmp/zentrel.ins"
for ((i = 0; i < callgrind_runs; i++)); do
  main_instructions "$bin/bench_hello" >> "$tmp/hello.ins"
  main_instructions "$bin/zentrel" >> "$tmp/zentrel.ins"
done

h_ms=$(cut -d' ' -f1 "$tmp/hello.txt" | median); z_ms=$(cut -d' ' -f1 "$tmp/zentrel.txt" | median)
h_rss=$(cut -d' ' -f2 "$tmp/hello.txt" | median); z_rss=$(cut -d' ' -f2 "$tmp/zentrel.txt" | median)
h_ins=$(median < "$tmp/hello.ins"); z_ins=$(median < "$tmp/zentrel.ins")

awk -v runs="$runs" -v hm="$h_ms" -v zm="$z_ms" -v hi="$h_ins" -v zi="$z_ins" -v hr="$h_rss" -v zr="$z_rss" 'BEGIN {
  printf "start-up to first paint, %d alternating runs each (medians)\n", runs
  printf "instructions: callgrind, the main process only (the log of valgrind'"'"'s own process id; a forked\n"
  printf "D-Bus helper is not counted)\n"
  printf "%-12s %10s %16s %12s\n", "", "wall ms", "instructions", "peak MiB"
  printf "%-12s %10.1f %16.0f %12.1f\n", "hello-world", hm, hi, hr / 1024
  printf "%-12s %10.1f %16.0f %12.1f\n", "zentrel", zm, zi, zr / 1024
  printf "ratio wall %.2f, ratio instructions %.2f, extra peak memory %.1f MiB (targets: wall ratio <= 1.15, instructions ratio <= 1.45, <= 6 MiB)\n", zm / hm, zi / hi, (zr - hr) / 1024
}'

: > "$tmp/clean.txt"; : > "$tmp/bad.txt"; : > "$tmp/clean.ins"; : > "$tmp/bad.ins"
for ((i = 0; i < runs; i++)); do
  run_once "$bin/zentrel" >> "$tmp/clean.txt"
  XDG_CONFIG_HOME="$tmp/badconfig" run_once "$bin/zentrel" >> "$tmp/bad.txt"
done
for ((i = 0; i < callgrind_runs; i++)); do
  main_instructions "$bin/zentrel" >> "$tmp/clean.ins"
  XDG_CONFIG_HOME="$tmp/badconfig" main_instructions "$bin/zentrel" >> "$tmp/bad.ins"
done
c_ms=$(cut -d' ' -f1 "$tmp/clean.txt" | median); b_ms=$(cut -d' ' -f1 "$tmp/bad.txt" | median)
c_ins=$(median < "$tmp/clean.ins"); b_ins=$(median < "$tmp/bad.ins")
awk -v runs="$runs" -v cm="$c_ms" -v bm="$b_ms" -v ci="$c_ins" -v bi="$b_ins" 'BEGIN {
  printf "\nten bad saved games, %d alternating runs each (medians; instructions of the main process)\n", runs
  printf "%-12s %10s %16s\n", "", "wall ms", "instructions"
  printf "%-12s %10.1f %16.0f\n", "no saves", cm, ci
  printf "%-12s %10.1f %16.0f\n", "bad saves", bm, bi
  printf "difference %.1f ms, %.0f instructions (target: <= 5 ms)\n", bm - cm, bi - ci
}'
