#!/usr/bin/env bash
# The main job: installs what is missing, builds everything in Release, installs
# PressoraLite.so into ~/.vst, makes a short demo signal (drum hits over a
# sustained chord), renders it through the "Vocals" program and shows what the
# plug-in tells a host about itself.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build build/release -j "$(nproc)"

build=build/release
plugin_dir="$HOME/.vst"
install -D -m 0644 "$build/plugin/PressoraLite.so" "$plugin_dir/PressoraLite.so"
echo
echo "Installed: $plugin_dir/PressoraLite.so"

demo=out/demo
mkdir -p "$demo"
"$build/tools/demosignal/demosignal" "$demo/drums-and-chord.wav"
"$build/tools/pressora/pressora" render "$plugin_dir/PressoraLite.so" \
  "$demo/drums-and-chord.wav" "$demo/drums-and-chord-vocals.wav" --program Vocals

echo
"$build/tools/pressora/pressora" info "$plugin_dir/PressoraLite.so"
echo
echo "Demo input:  $(realpath "$demo/drums-and-chord.wav")"
echo "Demo output: $(realpath "$demo/drums-and-chord-vocals.wav") (program \"Vocals\")"
