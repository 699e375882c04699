#!/usr/bin/env bash
# Cross-builds everything for Windows (i686, the 32-bit target, and x86_64) with
# mingw-w64: the plug-in DLL, pressora and the test programs. Then checks each
# plug-in DLL statically (scripts/check-windows-dll.sh: format, its two exports,
# system imports only, SSE2 baseline). scripts/windows-test.sh runs the programs.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
jobs=$(nproc)

for arch in i686 x86_64; do
  cmake --preset "mingw-$arch" >/dev/null
  nice cmake --build "build/mingw-$arch" -j "$jobs"
  bash scripts/check-windows-dll.sh "$arch" "build/mingw-$arch/plugin/PressoraLite.dll"
  echo "Windows $arch build: OK (build/mingw-$arch)"
done
