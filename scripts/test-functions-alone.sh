#!/usr/bin/env bash
# Runs every test function of every suite on its own (a suite's functions must not depend on the
# ones before them). Uses the default preset's build; pass suite names (app.trayicon ...) to run
# only those. Prints one line per failing function and exits non-zero if any failed.
set -uo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${BUILD_DIR:-build/default}")
export QT_QPA_PLATFORM=offscreen XDG_CURRENT_DESKTOP= QT_LOGGING_RULES='qt.qpa.*=false'
suites=("$@")
if [ ${#suites[@]} -eq 0 ]; then
  mapfile -t suites < <(ctest --test-dir "$build" -N | sed -n 's/^ *Test *#[0-9]*: \(.*\)$/\1/p' | grep -v '^layers\.')
fi
failed=0
for suite in "${suites[@]}"; do
  exe="$build/tests/test_${suite/./_}"
  [ -x "$exe" ] || { echo "no executable for $suite" >&2; failed=1; continue; }
  for fn in $("$exe" -functions | sed 's/()$//'); do
    if ! out=$(cd "$build/tests" && "$exe" "$fn" 2>&1); then
      echo "FAILED alone: $suite $fn"
      printf '%s\n' "$out" | grep -E 'FAIL!|Loc:' | head -4
      failed=1
    fi
  done
done
exit $failed
