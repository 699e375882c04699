#!/usr/bin/env bash
# Cross-builds the Windows libraries (i686, the 32-bit target, and x86_64) with mingw-w64
# and checks the plug-in DLL of each: its format, its two exports and that it needs
# no MinGW runtime DLL a host would not have.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
jobs=$(nproc)

check_plugin() {
  local arch=$1 format=$2
  local dll="build/mingw-$arch/plugin/PressoraLite.dll"
  [ -f "$dll" ] || { echo "Windows $arch: no plug-in DLL yet, skipping its checks"; return 0; }
  local dump
  dump=$("$arch-w64-mingw32-objdump" -p "$dll")
  grep -q "file format $format" <<<"$dump" || { echo "$dll: not $format" >&2; return 1; }
  for name in VSTPluginMain main; do
    grep -qE "^\s+\[\s*[0-9]+\] $name\$" <<<"$dump" || { echo "$dll: does not export $name" >&2; return 1; }
  done
  local foreign
  foreign=$(grep 'DLL Name:' <<<"$dump" | grep -iE 'libstdc|libgcc|winpthread|mingw' || true)
  [ -z "$foreign" ] || { echo "$dll: needs MinGW runtime DLLs:"$'\n'"$foreign" >&2; return 1; }
}

for arch in i686 x86_64; do
  cmake --preset "mingw-$arch" >/dev/null
  cmake --build "build/mingw-$arch" -j "$jobs"
  case $arch in i686) format=pei-i386 ;; x86_64) format=pei-x86-64 ;; esac
  check_plugin "$arch" "$format"
  echo "Windows $arch build: OK (build/mingw-$arch)"
done
