#!/usr/bin/env bash
# The LV2 edition in hosts that are not ours, each on its own private services:
#   lv2ls, lv2info   list both plug-ins with their ports and 13 presets
#   lv2apply         renders the demo at the "Vocals" preset (equal to the VST render)
#   lv2bench         runs both plug-ins
#   jalv.gtk3        shows the editor embedded, under a private Xvfb with a JACK
#                    server on its dummy driver and a metronome as the signal; two
#                    knobs are dragged with xdotool and the plug-in must report gain
#                    reduction afterwards (none before)
#   ardour7-lua      Ardour 7's Lua host loads both plug-ins into a session
# Pictures and logs go to out/lv2-hosts/.
#   bash scripts/lv2-hosts.sh [BUILD_DIR]     (default build/release, built by scripts/run.sh)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh --hosts
build=${1:-build/release}
out=out/lv2-hosts
rm -rf "$out"
mkdir -p "$out/lv2"
cp -r "$build/lv2/bundles/PressoraLite.lv2" "$out/lv2/"
export LV2_PATH="$PWD/$out/lv2"
plain=urn:corvella:pressoralite
side=urn:corvella:pressoralite-sc
pids=()
# The services this script started, ended by their process ids.
cleanup() {
  local pid
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  sleep 1
  for pid in "${pids[@]}"; do
    if kill -0 "$pid" 2>/dev/null; then kill -9 "$pid" 2>/dev/null || true; fi
  done
}
trap cleanup EXIT
fail() { echo "lv2-hosts: $*" >&2; exit 1; }

echo "== lv2ls"
lv2ls | tee "$out/lv2ls.txt"
[ "$(sort "$out/lv2ls.txt" | tr '\n' ' ')" = "$plain $side " ] || fail "lv2ls does not list both plug-ins"

for uri in $plain $side; do
  name=${uri##*:}
  lv2info "$uri" >"$out/lv2info-$name.txt"
  ports=$(grep -c '^	Port [0-9]*:' "$out/lv2info-$name.txt")
  presets=$(sed -n '/Presets:/,/^$/p' "$out/lv2info-$name.txt" | grep -c '^	         ')
  echo "== lv2info $uri: $ports ports, $presets presets ($out/lv2info-$name.txt)"
  [ "$presets" -eq 13 ] || fail "lv2info shows $presets presets of $uri"
done

echo "== lv2apply: the demo at the Vocals preset"
"$build/tools/demosignal/demosignal" "$out/demo.wav" --float >/dev/null
"$build/tools/pressora/pressora" render "$build/plugin/PressoraLite.so" "$out/demo.wav" "$out/demo-vst.wav" \
  --program Vocals >/dev/null
vocals=()
while read -r symbol value; do vocals+=(-c "$symbol" "$value"); done < <(
  awk '/rdfs:label "Vocals"/ { found = 1; next }
    found && /lv2:symbol/ {
      symbol = $0; sub(/.*lv2:symbol "/, "", symbol); sub(/".*/, "", symbol)
      value = $0; sub(/.*pset:value /, "", value); sub(/ .*/, "", value)
      print symbol, value
      if ($0 ~ /\] \.[[:space:]]*$/) exit
    }' "$out/lv2/PressoraLite.lv2/presets.ttl")
lv2apply -i "$out/demo.wav" -o "$out/demo-lv2.wav" "${vocals[@]}" $plain
"$build/tools/pressora/pressora" compare "$out/demo-vst.wav" "$out/demo-lv2.wav"

echo "== lv2bench (seconds for 441000 frames in 512-frame calls)"
lv2bench -n 441000 -b 512 $plain | tee "$out/lv2bench.txt"
lv2bench -n 441000 -b 512 $side | tee -a "$out/lv2bench.txt"

echo "== jalv.gtk3 under Xvfb, JACK on its dummy driver"
display=:$((90 + RANDOM % 400))
Xvfb "$display" -screen 0 1024x768x24 -noreset >"$out/xvfb.log" 2>&1 &
pids+=($!)
disown $!
export DISPLAY=$display
export JACK_DEFAULT_SERVER=pressora$$ JACK_NO_AUDIO_RESERVATION=1
jackd --no-realtime -n "$JACK_DEFAULT_SERVER" -d dummy -r 48000 -p 1024 >"$out/jackd.log" 2>&1 &
pids+=($!)
disown $!
jack_wait -w -t 10 >/dev/null 2>&1 || fail "the JACK server did not start"
jack_metro -n metro -b 300 -f 440 -A 0.9 -D 150 >"$out/metro.log" 2>&1 &
pids+=($!)
disown $!
jalv.gtk3 --print-controls $plain >"$out/jalv.log" 2>&1 &
pids+=($!)
disown $!
# Where the editor's 500 x 158 window is on the screen. jalv first makes it at
# the screen's origin and only then embeds it below its menu bar, so a place
# counts once two readings 0.2 s apart agree.
editor_place() {
  xwininfo -root -tree 2>/dev/null | sed -n 's/.* 500x158+[-0-9]*+[-0-9]* *+\([-0-9]*\)+\([-0-9]*\)$/\1 \2/p' | tail -1
}
editor=""
for _ in $(seq 100); do
  before=$editor
  editor=$(editor_place)
  [ -n "$editor" ] && [ "$editor" = "$before" ] && jack_lsp 2>/dev/null | grep -q 'PressoraLite:in_l' && break
  sleep 0.2
done
[ -n "$editor" ] || fail "jalv shows no 500 x 158 editor"
jack_connect metro:300_bpm PressoraLite:in_l
jack_connect metro:300_bpm PressoraLite:in_r
sleep 2
import -window root "$out/jalv-editor.png"
# Read again just before the drags, in case the host moved it meanwhile.
editor=$(editor_place)
read -r x y <<<"$editor"
reduction_lines() { grep -c '^gain_reduction = [0-9.]*[1-9]' "$out/jalv.log" || true; }
[ "$(reduction_lines)" -eq 0 ] || fail "gain reduction before any knob was turned (threshold 0 dB, 1:1)"
# Threshold (knob at 30, 65 on the panel) 40 pixels down in value, Ratio (105, 65) 30 up.
drag() {
  xdotool mousemove "$1" "$2"; sleep 0.2; xdotool mousedown 1; sleep 0.2
  local step
  for step in 1 2 3 4 5 6; do xdotool mousemove $(($1 + step * $3 / 6)) "$2"; sleep 0.1; done
  xdotool mouseup 1; sleep 0.3
}
drag $((x + 50)) $((y + 85)) -40
drag $((x + 125)) $((y + 85)) 30
sleep 2
import -window root "$out/jalv-compressing.png"
[ "$(reduction_lines)" -gt 0 ] || fail "no gain reduction after the knobs were turned"
echo "jalv: editor at +$x+$y; gain reduction reported after the drags: $(grep '^gain_reduction' "$out/jalv.log" | tail -1)"
echo "pictures: $out/jalv-editor.png, $out/jalv-compressing.png"
cleanup
pids=()
unset DISPLAY JACK_DEFAULT_SERVER

echo "== ardour7-lua"
rm -rf "$out/ardour-session"
PRESSORA_SESSION="$PWD/$out/ardour-session" ardour7-lua scripts/lv2/ardour-load.lua 2>&1 |
  grep -v 'WARNING\|Butler' | tee "$out/ardour.txt"
[ "$(grep -c '13 presets' "$out/ardour.txt")" -eq 2 ] && grep -q '^done$' "$out/ardour.txt" ||
  fail "Ardour did not load both plug-ins with their presets"
echo "LV2 hosts: all seen working"
