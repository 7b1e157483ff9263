#!/usr/bin/env bash
# Supervision benchmark: a process running just the game supervisor and the X11 window layer
# watches a real DOSBox window (the waiting stand-in game, in front, under openbox on a private
# Xvfb) for SECONDS (default 60). Prints the CPU time it used; the target is under 0.1% of a core.
# Then ROUNDS (default 5) times: the player switches away from the game, and the time until its
# window is hidden is measured with the real intervals.
# BUILD_DIR picks an existing build directory instead of the default preset's.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/bootstrap.sh
seconds=${SECONDS_TO_WATCH:-60}
if [ -n "${BUILD_DIR:-}" ]; then
  build=$BUILD_DIR
else
  cmake --preset default >/dev/null
  build=build/default
fi
cmake --build "$build" --target bench_supervision bench_supervision_latency dosstubs >/dev/null

tmp=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$tmp"
}
trap cleanup EXIT

exec 3< <(exec Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp 2>/dev/null)
pids+=($!)
read -r display <&3
export DISPLAY=":$display" XDG_CURRENT_DESKTOP= HOME="$tmp/home" XDG_CONFIG_HOME="$tmp/config"
mkdir -p "$tmp/home" "$tmp/config" "$tmp/game"

openbox >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 1 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.1
done

cp "$build/dosstub/DUKE3D.EXE" "$tmp/game/"
echo 3600 > "$tmp/game/WAIT.TXT"
printf '[sdl]\nautolock=false\n[cpu]\ncycles=3000\n[mixer]\nnosound=true\n' > "$tmp/game.conf"
SDL_AUDIODRIVER=dummy dosbox -conf "$tmp/game.conf" -c "mount c \"$tmp/game\"" -c c: -c DUKE3D.EXE \
  >/dev/null 2>&1 &
dosbox_pid=$!
pids+=($dosbox_pid)

window=""
for _ in $(seq 1 100); do
  window=$(xdotool search --pid "$dosbox_pid" --name "DUKE3D" 2>/dev/null | head -1) || true
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "DOSBox's window did not appear" >&2; exit 1; }
xdotool windowactivate --sync "$window"

echo "Supervision of a running game for $seconds s (DOSBox pid $dosbox_pid, window $window):"
"$build/bin/bench_supervision" "$dosbox_pid" "$seconds"

echo
"$build/bin/bench_supervision_latency" "$dosbox_pid" "${ROUNDS:-5}"
