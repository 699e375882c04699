#!/usr/bin/env bash
# Cost of one stereo frame for PressoraLite and two other compressors, at the
# same setting (threshold -20 dB, 4:1, attack 5 ms, release 50 ms) in 512-frame
# calls over the same programme: instructions counted by callgrind, then wall
# time, plug-in after plug-in in one run.
#   bash bench/frame-cost.sh [BUILD_DIR]     (default build/release)
# Needs valgrind and the comparison plug-ins: bash scripts/install-deps.sh --compare
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
frame_cost=$build/bench/frame_cost
# Instructions do not vary from run to run: 10 s of audio suffice. Time does:
# 100 s of audio keep start-up effects and the machine's noise small.
frames=${FRAMES:-441000}
timed_frames=${TIMED_FRAMES:-4410000}
call=${CALL_SIZE:-512}

plugins=(
  "PressoraLite|$build/plugin/PressoraLite.so|Threshold=0.6 Ratio=0.7894737 Attack=0.23299 Release=0.56633"
  "LSP Compressor Stereo|/usr/lib/vst/lsp-plugins/compressor-stereo.so|al=0.6666667 at=0.6436 rt=0.7402"
  "ZamCompX2|/usr/lib/vst/ZamCompX2-vst.so|Threshold=0.75 Attack=0.04905 Release=0.098196"
)

printf '%-24s %14s %14s\n' "plug-in" "instr/frame" "ns/frame"
for entry in "${plugins[@]}"; do
  IFS='|' read -r name path settings <<<"$entry"
  if [ ! -f "$path" ]; then
    printf '%-24s %s\n' "$name" "(not installed: $path)"
    continue
  fi
  # shellcheck disable=SC2086
  instructions=$(valgrind --tool=callgrind --instr-atstart=no --callgrind-out-file=/dev/null \
      "$frame_cost" "$path" "$frames" "$call" $settings 2>&1 | sed -n 's/.*Collected : \([0-9]*\).*/\1/p')
  # shellcheck disable=SC2086
  nanoseconds=$("$frame_cost" "$path" "$timed_frames" "$call" $settings | sed -n 's/.* \([0-9.]*\) ns per frame/\1/p')
  processed=$(( frames / call * call ))
  printf '%-24s %14s %14s\n' "$name" "$(awk -v i="$instructions" -v f="$processed" 'BEGIN { printf "%.1f", i / f }')" \
    "$nanoseconds"
done
