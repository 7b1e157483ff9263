#!/usr/bin/env bash
# The Debian package, checked as a packager and a player would: the desktop entry and the AppStream
# file validate, the package builds and lintian finds no error, nothing installed names the build
# machine's paths, and the installed program, unpacked into a scratch root, shows its main window
# and its manual. Usage: check_package.sh <source dir> <build dir>. Exit 77: a tool is missing.
set -uo pipefail
src=$1
build=$2
for tool in desktop-file-validate appstreamcli lintian dpkg-deb cpack Xvfb xdotool; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIP: $tool is not installed (scripts/bootstrap.sh installs it)"
    exit 77
  fi
done
tmp=$(mktemp -d)
xvfb=
app=
cleanup() {
  [ -n "$app" ] && kill "$app" 2>/dev/null
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
  rm -rf "$tmp"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }

desktop-file-validate "$src/packaging/org.zentrel.Zentrel.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$build/packaging/org.zentrel.Zentrel.metainfo.xml" || fail "AppStream metainfo"

(cd "$build" && cpack -B "$tmp/package" >"$tmp/cpack.log" 2>&1) || { cat "$tmp/cpack.log"; fail "cpack"; }
deb=$(ls "$tmp"/package/*.deb 2>/dev/null | head -1)
[ -n "$deb" ] || fail "no .deb was made"
lintian --fail-on error "$deb" || fail "lintian reports errors"

root=$tmp/root
dpkg-deb -x "$deb" "$root" || fail "dpkg-deb -x"
for f in usr/bin/zentrel usr/share/applications/org.zentrel.Zentrel.desktop usr/share/metainfo/org.zentrel.Zentrel.metainfo.xml \
         usr/share/icons/hicolor/scalable/apps/org.zentrel.Zentrel.svg usr/share/icons/hicolor/48x48/apps/org.zentrel.Zentrel.png \
         usr/share/zentrel/help/index.html usr/share/doc/zentrel/copyright usr/share/man/man1/zentrel.1.gz; do
  [ -e "$root/$f" ] || fail "the package lacks /$f"
done
for path in "$src" "$build" "$(cd "$src" && pwd -P)"; do
  if grep -rlaF -- "$path" "$root" >"$tmp/leaks"; then
    fail "installed files name the build machine's $path: $(tr '\n' ' ' <"$tmp/leaks")"
  fi
done

# The installed program, started as a player would, with settings of its own.
mkdir -p "$tmp/home" "$tmp/config/Zentrel" "$tmp/game" "$tmp/run"
chmod 700 "$tmp/run"
: >"$tmp/game/DUKE3D.EXE"
printf '[Paths]\nDukePath=%s\n[Prefs]\nSplash=No\nDukeWin=0\nHideDosWin=No\nCloseDosWin=No\n' "$tmp/game" \
  >"$tmp/config/Zentrel/Zentrel.ini"
exec 3< <(exec Xvfb -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp 2>/dev/null)
xvfb=$!
read -r display <&3 || fail "Xvfb did not start"
export DISPLAY=":$display" QT_QPA_PLATFORM=xcb HOME="$tmp/home" XDG_CONFIG_HOME="$tmp/config"
export XDG_DATA_HOME="$tmp/data" XDG_RUNTIME_DIR="$tmp/run" XDG_CURRENT_DESKTOP=
# As the desktop's menu starts it: the entry's Exec line, with the package's bin first on the PATH.
exec_line=$(sed -n 's/^Exec=//p' "$root/usr/share/applications/org.zentrel.Zentrel.desktop")
[ "$exec_line" = zentrel ] || fail "the desktop entry runs \"$exec_line\""
PATH="$root/usr/bin:$PATH" "$exec_line" >"$tmp/zentrel.log" 2>&1 &
app=$!
main=$(timeout 60 xdotool search --sync --name '^Zentrel$' 2>/dev/null | head -1)
[ -n "$main" ] || { cat "$tmp/zentrel.log"; fail "the installed zentrel showed no main window"; }
xdotool windowfocus --sync "$main" 2>/dev/null
xdotool key --window "$main" F1
help=$(timeout 30 xdotool search --sync --name '^Zentrel Help' 2>/dev/null | head -1)
[ -n "$help" ] || { cat "$tmp/zentrel.log"; fail "F1 found no manual in the installed tree"; }
title=$(xdotool getwindowname "$help")
[ "$title" = "Zentrel Help: Single Player" ] || fail "F1 opened \"$title\""
echo "PASS: $(basename "$deb"), $(dpkg-deb -f "$deb" Depends)"
