#!/usr/bin/env bash
# Builds the whole project under AddressSanitizer and UndefinedBehaviorSanitizer (preset asan, in
# build/asan) and runs every test suite there. Any arguments go to ctest (e.g. -R platform).
#
# Sanitizer options (the test preset sets the same ones, so `ctest --preset asan` alone works too):
# - detect_leaks=0: Qt, fontconfig and the X11 libraries keep one-time allocations until exit
#   that LeakSanitizer reports as leaks in every suite; Zentrel's own code is not what they show.
# - abort_on_error=1, halt_on_error=1: the first finding ends the suite, so CTest sees it fail
#   instead of a report scrolling past in a passing test.
# The test preset leaves out packaging.package: a sanitized binary carries the source paths of
# its files (for the sanitizers' reports), which that check rightly refuses in a package.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/bootstrap.sh
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0:abort_on_error=1:detect_stack_use_after_return=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}"
start=$(date +%s)
cmake --preset asan >/dev/null
nice cmake --build --preset asan
built=$(date +%s)
status=0
ctest --preset asan "$@" || status=$?
end=$(date +%s)
echo "test-sanitizers: build $((built - start)) s, tests $((end - built)) s"
exit "$status"
