#!/usr/bin/env bash
# The 32-bit stage: builds the i686 Linux build (preset i686, g++ -m32 from
# g++-multilib; GoogleTest from Debian's sources): the framework without its GUI,
# the effect, the plug-in library without its editor (a test build, never
# shipped), the host library, the WAV reader and writer, compressor_cost, and
# every display-free test program; then runs their tests. Among them the demo's
# renders through the 32-bit library are compared bit for bit with the 64-bit
# build's (build/ci, whose demosignal, pressora and plug-in are built here when
# missing).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh --i686
jobs=$(nproc)

cmake --preset ci >/dev/null
nice cmake --build build/ci -j "$jobs" --target demosignal pressora PressoraLite
cmake --preset i686 >/dev/null
nice cmake --build build/i686 -j "$jobs"
ctest --test-dir build/i686 --output-on-failure -j "$jobs"
echo "i686 build and tests: OK (build/i686)"
