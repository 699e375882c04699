#!/usr/bin/env bash
# Runs clang-tidy (the checks in .clang-tidy) over the framework, the plug-in, the
# editor, the tools and the benchmarks, from the compile commands of a configured
# build folder (default build/ci). Fails on any finding.
# The tests are left out: gtest's macros expand into code that the checks flag
# (globals, local bindings in lambdas), and leaving them out halves the run.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=${1:-build/ci}
[ -f "$build/compile_commands.json" ] || { echo "lint: no $build/compile_commands.json; configure $build first" >&2; exit 1; }
jobs=$(nproc)

# -Wno-unknown-warning-option: the commands are GCC's; clang does not know all of its warnings.
run-clang-tidy -quiet -j "$jobs" -p "$build" \
  -header-filter="^$root/(framework|plugin|editor|tools|bench)/" \
  -extra-arg=-Wno-unknown-warning-option \
  "^$root/(framework|plugin|editor|tools|bench)/" >"$build/clang-tidy.log" 2>&1 || {
  grep -E "(warning|error):" "$build/clang-tidy.log" | sort -u >&2 || cat "$build/clang-tidy.log" >&2
  echo "lint: clang-tidy found problems (full output: $build/clang-tidy.log)" >&2
  exit 1
}
echo "Lint: clang-tidy finds nothing"
