#!/usr/bin/env bash
# The bundle's libraries as hosts meet them: each exports its one descriptor
# function and nothing else; the DSP library needs only the C and maths
# libraries; the UI library needs what the VST library (with its editor) needs.
#   check-libraries.sh BUNDLE VST_LIBRARY STATIC_RUNTIME(ON|OFF)
set -euo pipefail
bundle=$1 vst=$2 static_runtime=$3
status=0
exports() { nm -D --defined-only "$1" | awk '{ print $3 }' | sort | tr '\n' ' '; }
needed() { readelf -d "$1" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p' | sort | tr '\n' ' '; }
for pair in "PressoraLite_dsp.so lv2_descriptor" "PressoraLite_ui.so lv2ui_descriptor"; do
  read -r library symbol <<<"$pair"
  if [ "$(exports "$bundle/$library")" != "$symbol " ]; then
    echo "$library exports: $(exports "$bundle/$library")(expected only $symbol)" >&2
    status=1
  fi
done
if [ "$static_runtime" = ON ]; then
  dsp=$(needed "$bundle/PressoraLite_dsp.so")
  if [ "$dsp" != "ld-linux-x86-64.so.2 libc.so.6 libm.so.6 " ]; then
    echo "PressoraLite_dsp.so needs: $dsp(expected only the C and maths libraries)" >&2
    status=1
  fi
  if [ "$(needed "$bundle/PressoraLite_ui.so")" != "$(needed "$vst")" ]; then
    echo "PressoraLite_ui.so needs: $(needed "$bundle/PressoraLite_ui.so")" >&2
    echo "the VST library needs:    $(needed "$vst")" >&2
    status=1
  fi
fi
[ $status -eq 0 ] && echo "LV2 libraries: one export each; the DSP needs only libc and libm"
exit $status
