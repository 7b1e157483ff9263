#!/usr/bin/env bash
# Runs a test binary inside a Wayland session: weston on its X11 backend in a private Xvfb, with
# Xwayland for DOSBox. The binary gets QT_QPA_PLATFORM=wayland and DISPLAY pointing at Xwayland.
# Exit 77 (skipped) when weston or a part it needs is not installed.
set -uo pipefail
for tool in Xvfb weston Xwayland weston-terminal dosbox xwininfo; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIP: $tool is not installed (scripts/bootstrap.sh installs weston, xwayland, qt6-wayland)"
    exit 77
  fi
done
if [ ! -e /usr/lib/x86_64-linux-gnu/qt6/plugins/platforms/libqwayland-generic.so ] &&
   ! ls /usr/lib/*/qt6/plugins/platforms/libqwayland-*.so >/dev/null 2>&1; then
  echo "SKIP: Qt's Wayland platform plugin is not installed (qt6-wayland)"
  exit 77
fi
tmp=$(mktemp -d)
chmod 700 "$tmp"
xvfb= weston=
cleanup() {
  [ -n "$weston" ] && kill "$weston" 2>/dev/null
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
  rm -rf "$tmp"
}
trap cleanup EXIT
exec 3< <(exec Xvfb -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp 2>/dev/null)
xvfb=$!
read -r xd <&3 || { echo "FAIL: Xvfb did not start"; exit 1; }
export XDG_RUNTIME_DIR=$tmp
DISPLAY=":$xd" weston --backend=x11-backend.so --xwayland --socket=zentrel-wl --idle-time=0 \
  --log="$tmp/weston.log" &
weston=$!
xwayland=
for _ in $(seq 1 200); do
  xwayland=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$tmp/weston.log" 2>/dev/null | head -1)
  [ -n "$xwayland" ] && [ -S "$tmp/zentrel-wl" ] && break
  sleep 0.1
done
[ -n "$xwayland" ] || { cat "$tmp/weston.log"; echo "FAIL: weston offered no Xwayland display"; exit 1; }
export WAYLAND_DISPLAY=zentrel-wl DISPLAY=$xwayland QT_QPA_PLATFORM=wayland XDG_CURRENT_DESKTOP=
"$@"
rc=$?
[ $rc -ne 0 ] && tail -20 "$tmp/weston.log"
exit $rc
