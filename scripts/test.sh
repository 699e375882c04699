#!/usr/bin/env bash
# The test command: installs what is missing, checks the formatting, builds with warnings as errors,
# runs clang-tidy over that build (scripts/lint.sh), runs every test, then runs them again in the
# sanitizer build (ASan + UBSan), then the threaded tests under ThreadSanitizer (scripts/tsan.sh),
# then the reliability stages: valgrind memcheck of a render (scripts/memcheck.sh) and a bounded
# fuzzing run (scripts/fuzz.sh).
# VANTOR_QUICK=1 skips the sanitizer passes and the reliability stages.
set -euo pipefail
cd "$(dirname "$0")/.."

# Runs one stage and says how long it took, so that slow stages show in CI's log.
timed() {
  local start=$SECONDS
  "$@"
  echo "== took $((SECONDS - start)) s: $*"
}

timed bash scripts/install-deps.sh
timed bash scripts/check-format.sh

jobs=$(nproc)

run_ctest() {
  local dir=$1
  # Tests that open windows need an X server; start a private one when none is set.
  # -noreset: by default the server resets whenever its last client leaves, and
  # refuses connections meanwhile, which parallel tests would trip over.
  if [ -z "${DISPLAY:-}" ]; then
    xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" ctest --test-dir "$dir" --output-on-failure -j "$jobs"
  else
    ctest --test-dir "$dir" --output-on-failure -j "$jobs"
  fi
}

cmake --preset ci >/dev/null
timed cmake --build build/ci -j "$jobs"
timed bash scripts/lint.sh build/ci
timed run_ctest build/ci

if [ "${VANTOR_QUICK:-0}" != "1" ]; then
  cmake --preset asan >/dev/null
  timed cmake --build build/asan -j "$jobs"
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 timed run_ctest build/asan

  # ThreadSanitizer over the tests that run the effect's threads at once.
  timed bash scripts/tsan.sh
  timed bash scripts/memcheck.sh
  timed bash scripts/fuzz.sh
fi
