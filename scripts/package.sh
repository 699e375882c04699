#!/usr/bin/env bash
# Makes the release packages with CPack and checks what is inside them:
#   out/packages/PressoraLite-<version>-linux-x86_64.tar.gz   (from build/ci)
#   out/packages/PressoraLite-<version>-windows-x86.zip        (from build/mingw-i686)
#   out/packages/PressoraLite-<version>-windows-x64.zip        (from build/mingw-x86_64)
#   out/packages/pressoralite_<version>_amd64.deb              (from build/ci)
# Each archive holds PressoraLite/ with the library, Resources/ (the editor's pictures,
# drawn by the native build and reused by the cross builds), INSTALL.txt and LICENSE.txt;
# the Linux one also the LV2 bundle, PressoraLite/PressoraLite.lv2/. The Debian
# package installs the VST library with its Resources into /usr/lib/vst/PressoraLite/,
# the LV2 bundle into /usr/lib/lv2/PressoraLite.lv2/ and pressora into /usr/bin/ with
# its manual page; it must pass lintian without errors, and the plug-in must load
# from the package's files unpacked into a scratch folder.
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
nice cmake --build build/ci -j "$jobs" --target PressoraLite artwork_resources pressora lv2_bundle debian_files
resources="$PWD/build/ci/plugin/Resources"

make_package() {
  local dir=$1
  rm -rf "$dir/packages"
  (cd "$dir" && cpack >/dev/null)
  cp "$dir"/packages/PressoraLite-"$version"-*.{tar.gz,zip} "$out/" 2>/dev/null || true
}

make_package build/ci
(cd build/ci && cpack -G DEB >/dev/null)
cp build/ci/packages/pressoralite_"$version"_*.deb "$out/"
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

# The Debian package: its listing, lintian, and the plug-in loaded from its files.
deb="$out/pressoralite_${version}_amd64.deb"
echo "$deb holds:"
dpkg-deb --contents "$deb" | awk '{ print "  " $6 }'
listing=$(dpkg-deb --contents "$deb" | awk '{ print $6 }' | sed 's|^\./||; s|/$||')
for path in usr/bin/pressora usr/share/man/man1/pressora.1.gz usr/share/doc/pressoralite/copyright \
  usr/share/doc/pressoralite/changelog.gz usr/lib/vst/PressoraLite/PressoraLite.so \
  usr/lib/vst/PressoraLite/Resources/knob.png usr/lib/lv2/PressoraLite.lv2/manifest.ttl \
  usr/lib/lv2/PressoraLite.lv2/PressoraLite_dsp.so usr/lib/lv2/PressoraLite.lv2/PressoraLite_ui.so \
  usr/lib/lv2/PressoraLite.lv2/Resources/knob.png; do
  grep -qx "$path" <<<"$listing" || { echo "$deb: no $path" >&2; exit 1; }
done
dpkg-deb --field "$deb" Depends | grep -q 'libc6' ||
  { echo "$deb: no dependencies computed from the binaries" >&2; exit 1; }
# Errors fail the package; warnings and notes are shown.
lintian_report=$(lintian --tag-display-limit 0 "$deb" 2>&1 | grep -v '^running with root privileges' || true)
[ -z "$lintian_report" ] || echo "$lintian_report"
if grep -q '^E: ' <<<"$lintian_report"; then
  echo "$deb: lintian reports errors" >&2
  exit 1
fi
unpacked=$(mktemp -d)
dpkg-deb --extract "$deb" "$unpacked"
"$unpacked/usr/bin/pressora" info "$unpacked/usr/lib/vst/PressoraLite/PressoraLite.so" |
  grep -q "Effect name:    PressoraLite" ||
  { echo "$deb: the packaged pressora does not load the packaged plug-in" >&2; exit 1; }
[ "$(LV2_PATH="$unpacked/usr/lib/lv2" lv2ls 2>/dev/null | sort | tr '\n' ' ')" = \
  "urn:corvella:pressoralite urn:corvella:pressoralite-sc " ] ||
  { echo "$deb: lv2ls does not find both LV2 plug-ins in the packaged bundle" >&2; exit 1; }
man --warnings -l "$unpacked/usr/share/man/man1/pressora.1.gz" 2>&1 >/dev/null | grep . &&
  { echo "$deb: the manual page has errors" >&2; exit 1; }
rm -rf "$unpacked"
echo "$deb: OK (lintian without errors; pressora info loads the plug-in from the unpacked package)"
