#!/usr/bin/env bash
# Pictures of every window and page at 100 % and 200 % under a private Xvfb, into
# build/default/screenshots/{100,200}/, for looking at the layout.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset default >/dev/null
cmake --build --preset default --target zentrel_screenshots demo >/dev/null
out=$PWD/build/default/screenshots
game=$PWD/build/default/demo/game
tmp=$(mktemp -d)
exec 3< <(exec Xvfb -displayfd 1 -screen 0 1920x1440x24 -nolisten tcp 2>/dev/null)
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$tmp"' EXIT
read -r display <&3
export DISPLAY=":$display" QT_QPA_PLATFORM=xcb XDG_CURRENT_DESKTOP= HOME="$tmp" XDG_CONFIG_HOME="$tmp/config"
export XDG_DATA_HOME="$tmp/data"
for scale in 100 200; do
  QT_SCALE_FACTOR=$(awk -v s=$scale 'BEGIN {print s / 100}') \
    build/default/bin/zentrel_screenshots "$out/$scale" "$game"
done
