#!/usr/bin/env bash
# Installs what is missing, builds Zentrel and starts it on the demo game directory, with a
# settings home of its own so the player's real settings are never touched.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/bootstrap.sh
cmake --preset default >/dev/null
cmake --build --preset default
demo_home="$PWD/build/default/demo-home"
mkdir -p "$demo_home/home"
# Everything the demo writes stays in its own home: Zentrel's settings and captured originals,
# and DOSBox's own settings file (DOSBox keeps it under $HOME/.dosbox).
export XAUTHORITY="${XAUTHORITY:-$HOME/.Xauthority}"
export HOME="$demo_home/home"
export XDG_CONFIG_HOME="$demo_home"
export XDG_DATA_HOME="$demo_home/data"
export XDG_CACHE_HOME="$demo_home/cache"
if [ -f build/default/demo/game/duke3d.exe ] || [ -f build/default/demo/game/DUKE3D.EXE ]; then
  ini="$demo_home/Zentrel/Zentrel.ini"
  if [ ! -f "$ini" ]; then
    mkdir -p "$(dirname "$ini")"
    printf '[Paths]\nDukePath=%s\nMAPPath=%s\n[Prefs]\nSplash=Yes\n' \
      "$PWD/build/default/demo/game" "$PWD/build/default/demo/maps" > "$ini"
  fi
fi
exec build/default/bin/zentrel
