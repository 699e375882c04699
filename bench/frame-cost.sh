#!/usr/bin/env bash
# Cost of one stereo frame for PressoraLite and two other compressors, in
# 512-frame calls over the same programme at 44.1 kHz:
#   - the standard setting (threshold -20 dB, 4:1, attack 5 ms, release 50 ms),
#     PressoraLite also as its LV2 edition (run() through lilv),
#   - quiet input (the programme 40 dB down, under the threshold), same setting,
#   - each of PressoraLite's 13 factory programs, against the others' standard figure.
# Instructions are counted by callgrind (they do not vary from run to run); time
# is Google Benchmark's CPU time per frame, every case side by side in one run
# (median of the repetitions). Prints one table.
#   bash bench/frame-cost.sh [BUILD_DIR]     (default build/release)
# Needs valgrind and the comparison plug-ins: bash scripts/install-deps.sh --compare
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
frame_cost=$build/bench/frame_cost
peer_bench=$build/bench/peer_bench
frames=${FRAMES:-441000}
repetitions=${REPETITIONS:-3}
call=512
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

ours=$build/plugin/PressoraLite.so
ours_lv2=$build/lv2/bundles/PressoraLite.lv2
lsp=/usr/lib/vst/lsp-plugins/compressor-stereo.so
zam=/usr/lib/vst/ZamCompX2-vst.so
# PressoraLite takes the standard setting from its parameter table (frame_cost --standard);
# the others' parameters are set by hand to the same threshold, ratio and times.
ours_standard="--standard"
lsp_standard="al=0.6666667 at=0.6436 rt=0.7402"
zam_standard="Threshold=0.75 Attack=0.04905 Release=0.098196"
quiet="--input-db=-40"

# One line per case: key|plug-in name|path|settings
cases=(
  "standard/ours|PressoraLite|$ours|$ours_standard"
  "standard/lv2|PressoraLite LV2|$ours_lv2|$ours_standard"
  "standard/lsp|LSP Compressor Stereo|$lsp|$lsp_standard"
  "standard/zam|ZamCompX2|$zam|$zam_standard"
  "quiet/ours|PressoraLite|$ours|$quiet $ours_standard"
  "quiet/lsp|LSP Compressor Stereo|$lsp|$quiet $lsp_standard"
  "quiet/zam|ZamCompX2|$zam|$quiet $zam_standard"
)
# The programs as the plug-in names them ("      3  Vocals" under "Programs:").
while read -r n name; do
  cases+=("program $n $name/ours|PressoraLite|$ours|--program=$n")
done < <("$build/tools/pressora/pressora" info "$ours" | sed -n '/^Programs:/,/^Pins:/p' |
  sed -n 's/^ *\([0-9][0-9]*\)  \(.*\)$/\1 \2/p')

# Instructions per frame, case by case.
benchmark_arguments=()
for entry in "${cases[@]}"; do
  IFS='|' read -r key name path settings <<<"$entry"
  if [ ! -e "$path" ]; then
    echo "$key|-" >>"$work/instructions"
    continue
  fi
  # shellcheck disable=SC2086
  instructions=$(valgrind --tool=callgrind --instr-atstart=no --callgrind-out-file=/dev/null \
      "$frame_cost" "$path" "$frames" "$call" $settings 2>&1 | sed -n 's/.*Collected : \([0-9]*\).*/\1/p')
  processed=$(( frames / call * call ))
  echo "$key|$(awk -v i="$instructions" -v f="$processed" 'BEGIN { printf "%.1f", i / f }')" >>"$work/instructions"
  benchmark_arguments+=("$key|$path|$settings")
done

# Time per frame, every case in one benchmark run.
"$peer_bench" --benchmark_repetitions="$repetitions" --benchmark_report_aggregates_only=true \
    --benchmark_format=csv "${benchmark_arguments[@]}" 2>/dev/null >"$work/times.csv"
# CSV: name,iterations,real_time,cpu_time,...,time_per_frame (seconds) in the
# last column; the median row where there are repetitions, else the single run.
awk -F, 'NR > 1 {
    name = $1; gsub(/"/, "", name)
    if (name ~ /_(mean|stddev|cv)$/) next
    median = sub(/_median$/, "", name)
    if (median || !(name in seen)) { seen[name] = 1; value[name] = $NF * 1e9 }
  }
  END { for (name in value) printf "%s|%.2f\n", name, value[name] }' "$work/times.csv" >"$work/times"

awk -F'|' -v instructions="$work/instructions" -v times="$work/times" '
  BEGIN {
    while ((getline line < instructions) > 0) { split(line, f, "|"); instr[f[1]] = f[2] }
    while ((getline line < times) > 0) { split(line, f, "|"); ns[f[1]] = f[2] }
    printf "%-30s %-22s %12s %9s %9s %9s %9s %9s\n", "case", "plug-in", "instr/frame", "ns/frame",
           "i/LSP", "ns/LSP", "i/Zam", "ns/Zam"
  }
  function ratio(a, b) { return (a == "" || b == "" || a == "-" || b == "-" || b == 0) ? "-" : sprintf("%.2f", a / b) }
  {
    key = $1; name = $2
    split(key, parts, "/"); group = parts[1]; who = parts[2]
    peerGroup = (group == "quiet") ? "quiet" : "standard"
    i = (key in instr) ? instr[key] : "-"; t = (key in ns) ? ns[key] : "-"
    if (who == "ours" || who == "lv2")
      printf "%-30s %-22s %12s %9s %9s %9s %9s %9s\n", group, name, i, t,
             ratio(i, instr[peerGroup "/lsp"]), ratio(t, ns[peerGroup "/lsp"]),
             ratio(i, instr[peerGroup "/zam"]), ratio(t, ns[peerGroup "/zam"])
    else
      printf "%-30s %-22s %12s %9s\n", group, name, i, t
  }' < <(for entry in "${cases[@]}"; do IFS='|' read -r key name _ <<<"$entry"; echo "$key|$name"; done)
