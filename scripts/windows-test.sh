#!/usr/bin/env bash
# Runs the Windows code under wine: the framework's test programs cross-built for
# x86_64, then the plug-in end to end (pressora.exe runs `info` and `render`
# through PressoraLite.dll, and every render must equal the Linux library's bit
# for bit). The i686 programs run too when a 32-bit wine is installed.
#
# Needs the native build of scripts/test.sh (build/ci: pressora, the plug-in, its pictures and
# demosignal) and builds what is missing of both. Wine gets a fresh prefix under
# build/wine, no X server (wine's null display driver) and no debug output.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh --windows
jobs=$(nproc)

wine64=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
export WINEPREFIX="$PWD/build/wine"
export WINEDEBUG=-all WINEARCH=win64 WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY

step() { printf '\n== %s\n' "$*"; }

# The programs under test. vantor_tests are all test programs of the folders
# that build for Windows; pressora and the plug-in for the end-to-end runs.
build_windows() {
  local arch=$1 emulator=$2
  cmake --preset "mingw-$arch" -DCMAKE_CROSSCOMPILING_EMULATOR="$emulator" >/dev/null
  nice cmake --build "build/mingw-$arch" -j "$jobs" --target vantor_tests PressoraLite pressora
}

step "Building the Windows test programs (x86_64)"
build_windows x86_64 "$wine64"

step "Building the native reference (build/ci)"
cmake --preset ci >/dev/null
nice cmake --build build/ci -j "$jobs" --target PressoraLite artwork_resources pressora demosignal

step "Fresh wine prefix: $WINEPREFIX"
"$wineserver" -k 2>/dev/null || true
rm -rf "$WINEPREFIX"
# Wine's background services inherit the output of the program that starts them
# and would hold a pipe open: every program that may start them writes to files.
"$wine64" wineboot --init >/dev/null 2>&1 </dev/null
# No X server: wine's null display driver still runs windows, timers, input
# and read-back. A fresh prefix has no Arial or Tahoma; wine's own fonts stand in.
"$wine64" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1 </dev/null
cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
# One persistent server for the whole run: later programs start in a fraction of a second.
"$wineserver" -k
"$wineserver" -p >/dev/null 2>&1 </dev/null
trap '"$wineserver" -k 2>/dev/null || true' EXIT
"$wine64" reg query 'HKCU\Software\Wine\Drivers' /v Graphics >"$WINEPREFIX/driver.txt" 2>&1 </dev/null || true
grep -q 'Graphics.*null' "$WINEPREFIX/driver.txt" ||
  { echo "wine: the null display driver could not be selected" >&2; exit 1; }

step "Test programs under wine64 (x86_64)"
# Every test program of the cross build; the plug-in's gets the native build's pictures beside its DLL first.
ctest --test-dir build/mingw-x86_64 --output-on-failure -j "$jobs" --timeout 300

step "The plug-in end to end: pressora.exe and PressoraLite.dll against the Linux build"
work=build/wine-e2e
rm -rf "$work"
mkdir -p "$work"
native_pressora=build/ci/tools/pressora/pressora
native_plugin=build/ci/plugin/PressoraLite.so
windows_pressora=build/mingw-x86_64/tools/pressora/pressora.exe
windows_plugin=build/mingw-x86_64/plugin/PressoraLite.dll
# In 32-bit float, so that the renders keep every bit the plug-in computes.
build/ci/tools/demosignal/demosignal "$work/demo.wav" --float >/dev/null

# What the plug-in tells a host is the same on both systems (only the file differs).
"$native_pressora" info "$native_plugin" | sed 1d >"$work/info-linux.txt"
"$wine64" "$windows_pressora" info "$windows_plugin" | tr -d '\r' | sed 1d >"$work/info-windows.txt"
diff -u "$work/info-linux.txt" "$work/info-windows.txt"
echo "info: the DLL describes itself exactly as the Linux library does"

for program in Default Vocals Hard; do
  for block in 512 17; do
    linux="$work/linux-$program-$block.wav"
    windows="$work/windows-$program-$block.wav"
    "$native_pressora" render "$native_plugin" "$work/demo.wav" "$linux" --program "$program" \
      --block "$block" >/dev/null
    "$wine64" "$windows_pressora" render "$windows_plugin" "$work/demo.wav" "$windows" \
      --program "$program" --block "$block" >/dev/null
    printf 'render %-7s block %3s: ' "$program" "$block"
    "$native_pressora" compare "$linux" "$windows"
  done
done
# A folder's worth on two workers, twice: the second run replaces the finished
# outputs, as a renamed temporary file must be able to.
for run in 1 2; do
  "$wine64" "$windows_pressora" render "$windows_plugin" "$work/demo.wav" --out-dir "$work/batch" \
    --program Vocals --jobs 2 >/dev/null
done
printf 'batch, run twice:            '
"$native_pressora" compare "$work/linux-Vocals-512.wav" "$work/batch/demo.wav"

# pressora.exe has no report pictures (no loudness library for Windows): it refuses
# --report with a clear line and status 2, writes nothing, and its help says so.
set +e
"$wine64" "$windows_pressora" render "$windows_plugin" "$work/demo.wav" "$work/refused.wav" \
  --report "$work/refused.png" >/dev/null 2>"$work/refused.txt"
status=$?
set -e
tr -d '\r' <"$work/refused.txt" | grep -v '^[0-9a-f]*:\(err\|fixme\|warn\):' >"$work/refused-line.txt" || true
if [ "$status" -ne 2 ] || [ "$(wc -l <"$work/refused-line.txt")" -ne 1 ] ||
  ! grep -q -- '--report is not available in this build' "$work/refused-line.txt" ||
  [ -e "$work/refused.wav" ] || [ -e "$work/refused.png" ]; then
  echo "pressora.exe --report: status $status, said:" >&2
  cat "$work/refused.txt" >&2
  exit 1
fi
# Kept in a file first: grep -q ends at its match, and the help's later lines would
# then meet a closed pipe.
"$wine64" "$windows_pressora" --help | tr -d '\r' >"$work/help.txt"
grep -q -- '--report FILE.png   not available in this build' "$work/help.txt" ||
  { echo "pressora.exe --help does not say that --report is not available" >&2; exit 1; }
echo "render --report: refused with one line and status 2; --help says so"

step "i686, the 32-bit target"
if [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1; then
  build_windows i686 /usr/lib/wine/wine
  ctest --test-dir build/mingw-i686 --output-on-failure -j "$jobs" --timeout 300
else
  echo "SKIPPED: the i686 programs were not run: no 32-bit wine is installed (package wine32)."
  echo "         The i686 DLL is built and checked statically by scripts/cross-build.sh."
fi

step "The editor in a Win32 host's window: PressoraLite.dll as installed, under wine64"
# The DLL with the native build's pictures beside it in Resources/, as the packages
# hold it. The test host opens the editor in a window of its own, reads the painted
# panel back (written to editor.png), drags a knob with SendInput and opens and
# closes the about window, driving it only through its message loop and effEditIdle.
editor=build/wine-editor
rm -rf "$editor"
mkdir -p "$editor/PressoraLite"
nice cmake --build build/mingw-x86_64 -j "$jobs" --target editor_windows_tests
nice cmake --build build/ci -j "$jobs" --target artwork_resources
cp build/mingw-x86_64/plugin/PressoraLite.dll "$editor/PressoraLite/"
cp -r build/ci/plugin/Resources "$editor/PressoraLite/"
if ! timeout 300 "$wine64" build/mingw-x86_64/tests/editor/editor_windows_tests.exe \
  "$editor/PressoraLite/PressoraLite.dll" "$editor/editor.png" >"$editor/log.txt" 2>&1 </dev/null; then
  cat "$editor/log.txt"
  echo "The editor failed in the Win32 host (log: $editor/log.txt)" >&2
  exit 1
fi
grep -E '^\[ +(OK|PASSED) +\]' "$editor/log.txt"
echo "editor: the painted panel is in $editor/editor.png"

step "The editor in a DPI-aware host at 192 DPI (LogPixels), under wine64"
# The system's DPI is the prefix's LogPixels, read when the server starts.
set_dpi() {
  "$wineserver" -k 2>/dev/null || true
  "$wine64" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1 </dev/null
  "$wine64" reg add 'HKCC\Software\Fonts' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1 </dev/null
  "$wineserver" -k 2>/dev/null || true
  "$wineserver" -p >/dev/null 2>&1 </dev/null
}
set_dpi 192
status=0
timeout 300 "$wine64" build/mingw-x86_64/tests/editor/editor_windows_tests.exe \
  "$editor/PressoraLite/PressoraLite.dll" "$editor/editor.png" --gtest_filter='*DpiAware*' \
  >"$editor/log-192.txt" 2>&1 </dev/null || status=$?
set_dpi 96
if [ "$status" -ne 0 ] || ! [ -s "$editor/editor-192dpi.png" ]; then
  cat "$editor/log-192.txt"
  echo "The editor failed at 192 DPI (log: $editor/log-192.txt)" >&2
  exit 1
fi
grep -E '^\[ +(OK|PASSED) +\]' "$editor/log-192.txt"
echo "editor: the panel at 192 DPI is in $editor/editor-192dpi.png"

echo
echo "Windows tests: OK"
