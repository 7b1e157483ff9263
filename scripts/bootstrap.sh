#!/usr/bin/env bash
# Installs the Debian packages Zentrel's build, tests, benchmarks and demo need.
# Idempotent: prints nothing and installs nothing when everything is present.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev libxcb1-dev libcanberra-dev libcanberra-pulse sound-theme-freedesktop
  xvfb xauth openbox trayer xdotool x11-utils imagemagick fonts-dejavu-core
  dosbox nasm
  valgrind time
  desktop-file-utils appstream lintian dpkg-dev file
  weston xwayland qt6-wayland
  dbus-daemon libglib2.0-bin at-spi2-core # the bad-input suite reads message boxes over the accessibility bus
  clang libclang-rt-dev # the fuzz targets: clang and its libFuzzer (libclang_rt.fuzzer, in libclang-rt-14-dev)
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "bootstrap: installing ${missing[*]}" >&2
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
