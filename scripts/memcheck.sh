#!/usr/bin/env bash
# Valgrind memcheck stage: renders the demo signal through the built plug-in
# with `pressora render`, as scripts/run.sh does, under memcheck. Any error
# (invalid access, use of uninitialised values, a leak) fails the stage.
# Uses the Release build of the test command (build/ci) and builds only what the
# render needs.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/ci
cmake --preset ci >/dev/null
cmake --build "$build" -j "$(nproc)" --target pressora demosignal PressoraLite

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
"$build/tools/demosignal/demosignal" "$scratch/demo.wav"
valgrind --tool=memcheck --error-exitcode=1 --leak-check=full --show-leak-kinds=definite,indirect,possible \
  --errors-for-leak-kinds=definite,indirect,possible --track-origins=yes --quiet \
  "$build/tools/pressora/pressora" render "$build/plugin/PressoraLite.so" \
  "$scratch/demo.wav" "$scratch/demo-vocals.wav" --program Vocals
echo "memcheck: pressora render of the demo: 0 errors"
