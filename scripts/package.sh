#!/usr/bin/env bash
# Makes the release packages with CPack and checks what is inside them:
#   out/packages/PressoraLite-<version>-linux-x86_64.tar.gz   (from build/ci)
#   out/packages/PressoraLite-<version>-windows-x86.zip        (from build/mingw-i686)
#   out/packages/PressoraLite-<version>-windows-x64.zip        (from build/mingw-x86_64)
# Each holds PressoraLite/ with the library, Resources/ (the editor's pictures, drawn
# by the native build and reused by the cross builds), INSTALL.txt and LICENSE.txt;
# the Linux one also the LV2 bundle, PressoraLite/PressoraLite.lv2/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
jobs=$(nproc)
out=out/packages
mkdir -p "$out"

version=$(sed -nE 's/^project\(PressoraLite VERSION ([0-9.]+).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || { echo "no project version in CMakeLists.txt" >&2; exit 1; }

# The native build draws the pictures; the cross builds take them from there.
cmake --preset ci >/dev/null
nice cmake --build build/ci -j "$jobs" --target PressoraLite artwork_resources pressora lv2_bundle
resources="$PWD/build/ci/plugin/Resources"

make_package() {
  local dir=$1
  rm -rf "$dir/packages"
  (cd "$dir" && cpack >/dev/null)
  cp "$dir"/packages/PressoraLite-"$version"-*.{tar.gz,zip} "$out/" 2>/dev/null || true
}

make_package build/ci
for arch in i686 x86_64; do
  cmake --preset "mingw-$arch" -DVANTOR_RESOURCES_DIR="$resources" >/dev/null
  nice cmake --build "build/mingw-$arch" -j "$jobs" --target PressoraLite
  make_package "build/mingw-$arch"
done

# Each package: exactly the expected entries, the library usable, the pictures
# those of the native build, the install text naming this version.
check() {
  local archive=$1 library=$2
  local listing expected unpacked
  listing=$(cmake -E tar tf "$archive" | sed 's|^\./||; s|/$||' | sort)
  expected=$(
    printf '%s\n' PressoraLite "PressoraLite/$library" PressoraLite/INSTALL.txt PressoraLite/LICENSE.txt \
      PressoraLite/Resources
    (cd "$resources" && ls *.png) | sed 's|^|PressoraLite/Resources/|'
    if [ "$library" = PressoraLite.so ]; then
      printf 'PressoraLite/PressoraLite.lv2/%s\n' manifest.ttl PressoraLite.ttl presets.ttl PressoraLite_dsp.so \
        PressoraLite_ui.so
      (cd "$resources" && ls *.png) | sed 's|^|PressoraLite/PressoraLite.lv2/Resources/|'
    fi
  )
  expected=$(sort <<<"$expected")
  # Archivers differ in listing folders of their own: compare files only.
  local files_listed files_expected
  files_listed=$(grep -E '\.(so|dll|txt|png|ttl)$' <<<"$listing")
  files_expected=$(grep -E '\.(so|dll|txt|png|ttl)$' <<<"$expected")
  if [ "$files_listed" != "$files_expected" ]; then
    echo "$archive holds:"$'\n'"$listing"$'\n'"instead of:"$'\n'"$expected" >&2
    return 1
  fi
  unpacked=$(mktemp -d)
  (cd "$unpacked" && cmake -E tar xf "$OLDPWD/$archive")
  diff -r "$resources" "$unpacked/PressoraLite/Resources" >/dev/null ||
    { echo "$archive: Resources differ from the native build's" >&2; return 1; }
  grep -q "PressoraLite $version for" "$unpacked/PressoraLite/INSTALL.txt" ||
    { echo "$archive: INSTALL.txt does not name version $version" >&2; return 1; }
  case $library in
    *.so) build/ci/tools/pressora/pressora info "$unpacked/PressoraLite/$library" | grep -q "Effect name:    PressoraLite" ||
            { echo "$archive: the packaged library does not load" >&2; return 1; }
          [ "$(LV2_PATH="$unpacked/PressoraLite" lv2ls 2>/dev/null | sort | tr '\n' ' ')" = \
            "urn:corvella:pressoralite urn:corvella:pressoralite-sc " ] ||
            { echo "$archive: lv2ls does not find both LV2 plug-ins in the packaged bundle" >&2; return 1; } ;;
    *.dll) VANTOR_CHECK_CODE=0 bash scripts/check-windows-dll.sh "$3" "$unpacked/PressoraLite/$library" >/dev/null ;;
  esac
  rm -rf "$unpacked"
  echo "$archive: OK"
}

check "$out/PressoraLite-$version-linux-x86_64.tar.gz" PressoraLite.so
check "$out/PressoraLite-$version-windows-x86.zip" PressoraLite.dll i686
check "$out/PressoraLite-$version-windows-x64.zip" PressoraLite.dll x86_64
