#!/usr/bin/env bash
# The main job: installs what is missing, builds everything in Release, installs
# the plug-in into ~/.vst/PressoraLite/ (the library with its Resources folder),
# makes a short demo signal (drum hits over a sustained chord), renders it through
# the "Vocals" program, takes a picture of the editor and shows what the plug-in
# tells a host about itself.
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

demo=out/demo
mkdir -p "$demo"
"$build/tools/demosignal/demosignal" "$demo/drums-and-chord.wav"
"$build/tools/pressora/pressora" render "$plugin" \
  "$demo/drums-and-chord.wav" "$demo/drums-and-chord-vocals.wav" --program Vocals

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
echo "Editor:      $(realpath "$editor_shot") (and at 2x: $(realpath "$demo/editor@2x.png"))"
