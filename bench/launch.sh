#!/usr/bin/env bash
# Launch benchmark: in one process, the real main window launches a native stand-in game through
# the real runner, RUNS times (default 200). Prints the median and p90 of the time from the Launch
# click to the game process started (target under 10 ms) and of the whole click.
# BUILD_DIR picks an existing build directory instead of the default preset's.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/bootstrap.sh
if [ -n "${BUILD_DIR:-}" ]; then
  build=$BUILD_DIR
else
  cmake --preset default >/dev/null
  build=build/default
fi
cmake --build "$build" --target bench_launch >/dev/null

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$tmp/home" "$tmp/config" "$tmp/data" "$tmp/cache" "$tmp/run"
chmod 700 "$tmp/run"
export QT_QPA_PLATFORM=offscreen XDG_CURRENT_DESKTOP= HOME="$tmp/home" XDG_CONFIG_HOME="$tmp/config"
export XDG_DATA_HOME="$tmp/data" XDG_CACHE_HOME="$tmp/cache" XDG_RUNTIME_DIR="$tmp/run"
"$build/bin/bench_launch" "${RUNS:-200}"
