#!/usr/bin/env bash
# Installs what the build, the tests and the demo need from Debian 12's archive.
# Safe to run again: only missing packages are installed.
set -euo pipefail

packages=(
  build-essential cmake pkg-config ccache clang-format-16 clang-tidy python3
  libsndfile1-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  libx11-dev libxrandr-dev libxtst-dev libcairo2-dev libpng-dev libjpeg62-turbo-dev libfontconfig-dev fonts-liberation
  xvfb xauth
  lv2-dev sordi lilv-utils liblilv-dev
  libebur128-dev lintian
  clang libclang-rt-14-dev valgrind
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
)
if [ "${1:-}" = "--compare" ]; then
  # Other compressors that `pressora bench` and the benchmarks measure against,
  # and the 32-bit compiler for measuring the i686 audio path (preset i686).
  packages+=(lsp-plugins-vst zam-plugins g++-multilib)
fi
if [ "${1:-}" = "--hosts" ]; then
  # Independent LV2 hosts the LV2 edition is shown in (scripts/lv2-hosts.sh): a JACK
  # server with a dummy driver, jalv with its GTK 3 window, Ardour 7 and its Lua
  # host, the LV2 examples, and tools to photograph an X screen.
  packages+=(jackd2 jalv ardour lv2-examples imagemagick x11-apps x11-utils xdotool)
fi
if [ "${1:-}" = "--i686" ]; then
  # The 32-bit compiler for the i686 build and its tests (scripts/i686-test.sh),
  # and qemu-i386, which runs those tests where the kernel runs no 32-bit programs.
  packages+=(g++-multilib qemu-user)
fi
# Wine (64-bit only: Debian's i386 wine cannot be installed here) runs the
# Windows programs; installed with its recommended packages.
with_recommends=()
if [ "${1:-}" = "--windows" ]; then
  with_recommends=(wine64 wine fonts-wine)
fi

missing_of() {
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"
  done
}
mapfile -t missing < <(missing_of "${packages[@]}")
mapfile -t missing_full < <(missing_of "${with_recommends[@]}")
if [ ${#missing[@]} -gt 0 ] || [ ${#missing_full[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]} ${missing_full[*]}"
  sudo_cmd=""
  [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  if [ ${#missing[@]} -gt 0 ]; then
    DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
  if [ ${#missing_full[@]} -gt 0 ]; then
    DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq "${missing_full[@]}"
  fi
fi
