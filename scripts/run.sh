#!/usr/bin/env bash
# The main job: installs what is missing, builds everything in Release, installs
# the plug-in into ~/.vst/PressoraLite/ (the library with its Resources folder)
# and the LV2 edition into ~/.lv2/PressoraLite.lv2/, makes a short demo signal
# (drum hits over a sustained chord), renders it through the "Vocals" program,
# renders it again as 32-bit float through both editions (the LV2 one with
# lv2apply at the "Vocals" preset's port values) and checks that they agree
# sample for sample, draws a report picture of the Vocals render, takes a picture
# of the editor and shows what the plug-in tells a host about itself.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build build/release -j "$(nproc)"

build=build/release
# Hosts scan sub-folders of ~/.vst; the editor finds its pictures in Resources beside
# the library, so both go into a folder of the product's own (a bare Resources folder
# directly in ~/.vst would clash with other products).
plugin_dir="$HOME/.vst/PressoraLite"
plugin="$plugin_dir/PressoraLite.so"
install -D -m 0644 "$build/plugin/PressoraLite.so" "$plugin"
rm -rf "$plugin_dir/Resources"
if [ -d "$build/plugin/Resources" ]; then
  cp -r "$build/plugin/Resources" "$plugin_dir/Resources"
fi
# Earlier versions installed the library directly into ~/.vst.
rm -f "$HOME/.vst/PressoraLite.so"
echo
echo "Installed: $plugin (with $plugin_dir/Resources)"

# The LV2 edition: the whole bundle into ~/.lv2, where LV2 hosts look.
lv2_bundle="$HOME/.lv2/PressoraLite.lv2"
rm -rf "$lv2_bundle"
mkdir -p "$HOME/.lv2"
cp -r "$build/lv2/bundles/PressoraLite.lv2" "$lv2_bundle"
echo "Installed: $lv2_bundle"

demo=out/demo
mkdir -p "$demo"
"$build/tools/demosignal/demosignal" "$demo/drums-and-chord.wav"
# With a report picture of what the compressor did (levels, gain reduction, static
# curve, loudness), its numbers printed as well.
"$build/tools/pressora/pressora" render "$plugin" \
  "$demo/drums-and-chord.wav" "$demo/drums-and-chord-vocals.wav" --program Vocals --report "$demo/report.png"

# The same demo as 32-bit float through both editions: the VST program "Vocals" and
# lv2apply at the port values of the LV2 preset "Vocals" (read from the installed
# bundle's presets file, one port a line). Float files keep every bit of the output.
"$build/tools/demosignal/demosignal" "$demo/drums-and-chord-float.wav" --float >/dev/null
"$build/tools/pressora/pressora" render "$plugin" \
  "$demo/drums-and-chord-float.wav" "$demo/drums-and-chord-vocals-vst.wav" --program Vocals >/dev/null
preset_arguments() {
  awk -v name="$2" '$0 ~ "rdfs:label \"" name "\"" { found = 1; next }
    found && /lv2:symbol/ {
      symbol = $0; sub(/.*lv2:symbol "/, "", symbol); sub(/".*/, "", symbol)
      value = $0; sub(/.*pset:value /, "", value); sub(/ .*/, "", value)
      printf "-c %s %s ", symbol, value
      if ($0 ~ /\] \.[[:space:]]*$/) exit
    }' "$1"
}
read -r -a vocals <<<"$(preset_arguments "$lv2_bundle/presets.ttl" Vocals)"
LV2_PATH="$HOME/.lv2" lv2apply -i "$demo/drums-and-chord-float.wav" -o "$demo/drums-and-chord-vocals-lv2.wav" \
  "${vocals[@]}" urn:corvella:pressoralite
echo
echo "LV2 edition (lv2apply ${vocals[*]}) against the VST edition:"
"$build/tools/pressora/pressora" compare "$demo/drums-and-chord-vocals-vst.wav" "$demo/drums-and-chord-vocals-lv2.wav"

echo
"$build/tools/pressora/pressora" info "$plugin"

# The editor with the demo signal running through it, at 1x and at 2x; a private X server
# when there is no display.
editor_shot="$demo/editor.png"
for scale in 1 2; do
  shot="$editor_shot"
  if [ "$scale" != 1 ]; then
    shot="$demo/editor@${scale}x.png"
  fi
  gui=("$build/tools/pressora/pressora" gui "$plugin" --program Vocals --scale "$scale" --screenshot "$shot"
    --after 1500)
  if [ -n "${DISPLAY:-}" ]; then
    "${gui[@]}" >/dev/null
  else
    xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "${gui[@]}" >/dev/null
  fi
done
echo
echo "Demo input:  $(realpath "$demo/drums-and-chord.wav")"
echo "Demo output: $(realpath "$demo/drums-and-chord-vocals.wav") (program \"Vocals\")"
echo "Float demo:  $(realpath "$demo/drums-and-chord-vocals-lv2.wav") (LV2 preset \"Vocals\", equal to the VST render)"
echo "Report:      $(realpath "$demo/report.png")"
echo "Editor:      $(realpath "$editor_shot") (and at 2x: $(realpath "$demo/editor@2x.png"))"
