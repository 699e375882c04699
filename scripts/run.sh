#!/usr/bin/env bash
# The main job: builds everything in Release and says what was built.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build build/release -j "$(nproc)"
echo
echo "Built in build/release:"
find build/release -maxdepth 3 -type f \( -name '*.so' -o -name '*.a' -o -perm -u+x \) \
  -not -path '*/CMakeFiles/*' -not -name '*.cmake' | sort
