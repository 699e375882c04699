#!/usr/bin/env bash
# Fails when a C++ file differs from what the committed .clang-format makes of it.
# clang-format 16: the first Debian 12 version that knows InsertBraces (every
# statement body braced, tests included).
set -euo pipefail
cd "$(dirname "$0")/.."
find framework plugin editor lv2 tools bench tests \( -name '*.cpp' -o -name '*.hpp' -o -name '*.h' \) -print0 |
  xargs -0 clang-format-16 --dry-run -Werror
echo "Format: every C++ file matches .clang-format"
