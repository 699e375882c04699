#!/usr/bin/env bash
# Fuzzing: builds the libFuzzer targets of tests/fuzz (clang, ASan + UBSan) and
# runs each for a bounded time, first over its committed seed corpus in
# tests/fuzz/corpus/<target>/ (every input there, crash regressions included, is
# replayed), then on new inputs. New inputs go to a scratch folder, so the tree
# stays as it is. A crash fails the stage; its input is kept in
# build/fuzz/findings/ to be added to the corpus once the fault is fixed.
# VANTOR_FUZZ_SECONDS sets the time per target (default 6; 9 targets, about a minute in all).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
seconds=${VANTOR_FUZZ_SECONDS:-6}

cmake --preset fuzz >/dev/null
cmake --build build/fuzz -j "$(nproc)" --target fuzzers

findings=$root/build/fuzz/findings
rm -rf "$findings"
mkdir -p "$findings"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

failed=()
for corpus in tests/fuzz/corpus/*/; do
  name=$(basename "$corpus")
  mkdir -p "$scratch/$name" "$scratch/work"
  echo "== $name (${seconds}s)"
  # Readers resolve relative paths (image definitions) against the working
  # folder, and write scratch files to TMPDIR: both are the scratch folder.
  if ! (cd "$scratch/work" && TMPDIR="$scratch/work" "$root/build/fuzz/tests/fuzz/$name" \
        -max_total_time="$seconds" -max_len=8192 -rss_limit_mb=2048 -timeout=20 \
        -print_final_stats=0 -artifact_prefix="$findings/$name-" \
        "$scratch/$name" "$root/$corpus" 2>"$scratch/$name.log"); then
    tail -n 60 "$scratch/$name.log"
    failed+=("$name")
  else
    grep -E "^#[0-9]+ *DONE" "$scratch/$name.log" || tail -n 2 "$scratch/$name.log"
  fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "Fuzzing found faults in: ${failed[*]} (inputs in build/fuzz/findings/)"
  exit 1
fi
echo "Fuzzing: every target ran ${seconds}s without a fault"
