#!/usr/bin/env bash
# Cross-builds the Windows libraries (i686, the 32-bit target, and x86_64) with mingw-w64.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
jobs=$(nproc)
for arch in i686 x86_64; do
  cmake --preset "mingw-$arch" >/dev/null
  cmake --build "build/mingw-$arch" -j "$jobs"
  echo "Windows $arch build: OK (build/mingw-$arch)"
done
