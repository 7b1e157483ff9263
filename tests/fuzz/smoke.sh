#!/usr/bin/env bash
# The fuzz targets build (preset fuzz, incrementally, in build/fuzz) and each one runs for a few
# seconds from its corpus without a finding. Exit 77 (skipped) only where clang cannot link a
# libFuzzer program; scripts/bootstrap.sh installs what it needs.
#
#   tests/fuzz/smoke.sh SOURCE_DIR [SECONDS]
set -uo pipefail
src=$(cd "${1:?usage: smoke.sh SOURCE_DIR [SECONDS]}" && pwd)
seconds=${2:-3}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# Whether clang can build a libFuzzer program at all.
echo 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char *, unsigned long) { return 0; }' >"$scratch/probe.cpp"
if ! command -v clang++ >/dev/null; then
  echo "fuzz.smoke: skipped: clang++ is not installed (scripts/bootstrap.sh installs clang)"
  exit 77
fi
if ! clang++ -fsanitize=fuzzer,address,undefined "$scratch/probe.cpp" -o "$scratch/probe" 2>"$scratch/probe.log"; then
  echo "fuzz.smoke: skipped: clang++ cannot link a libFuzzer program (scripts/bootstrap.sh installs libclang-rt-14-dev):"
  sed 's/^/  /' "$scratch/probe.log" | head -5
  exit 77
fi

# One build at a time in build/fuzz, even when two test runs start this together.
mkdir -p "$src/build"
exec 9>"$src/build/fuzz.lock"
flock 9
cd "$src"
if ! { cmake --preset fuzz >"$scratch/build.log" 2>&1 && nice cmake --build --preset fuzz >>"$scratch/build.log" 2>&1; }; then
  echo "fuzz.smoke: the fuzz build failed:"
  tail -30 "$scratch/build.log"
  exit 1
fi

# The run's own sanitizer options, not those of the test run around it.
export ASAN_OPTIONS=detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1
failed=0
ran=0
for corpus in "$src"/fuzz/corpus/*/; do
  t=$(basename "$corpus")
  bin=$src/build/fuzz/fuzz/fuzz_$t
  if [ ! -x "$bin" ]; then
    echo "fuzz.smoke: $t: no target $bin for the corpus fuzz/corpus/$t"
    failed=1
    continue
  fi
  mkdir -p "$scratch/work/$t" "$scratch/found/$t"
  # New inputs go to the scratch folder (listed first); the corpus in the tree is only read.
  if "$bin" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -error_exitcode=1 -timeout_exitcode=1 \
       -artifact_prefix="$scratch/found/$t/" "$scratch/work/$t" "$corpus" >"$scratch/$t.log" 2>&1; then
    ran=$((ran + 1))
    echo "fuzz.smoke: $t: $(grep -o 'Done [0-9]* runs.*' "$scratch/$t.log" | tail -1)"
  else
    failed=1
    echo "fuzz.smoke: $t: FOUND a failing input:"
    grep -E 'property broken|ERROR: |runtime error|SUMMARY' "$scratch/$t.log" | head -10 | sed 's/^/  /'
    for f in "$scratch/found/$t"/*; do
      [ -f "$f" ] && echo "  input (base64): $(base64 -w0 "$f" | head -c 2000)"
    done
  fi
done
echo "fuzz.smoke: $ran target(s) ran ${seconds} s each without a finding"
[ "$ran" -gt 0 ] || failed=1
exit "$failed"
