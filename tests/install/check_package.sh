#!/usr/bin/env bash
# Builds the Debian package from the build's install rules and checks what apt would see: its control
# fields, the dependencies found from the linked libraries and the run-time data, and its files.
set -euo pipefail
build="$1"
source_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
package="$("$source_dir/scripts/package.sh" "$build" "$out")"
[ -f "$package" ] || { echo "no package written"; exit 1; }
field() { dpkg-deb -f "$package" "$1"; }
[ "$(field Package)" = shinofu ] || { echo "Package: $(field Package)"; exit 1; }
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || { echo "Architecture: $(field Architecture)"; exit 1; }
[ "$(basename "$package")" = "shinofu_$(field Version)_$(field Architecture).deb" ] || { echo "named $package"; exit 1; }
depends="$(field Depends)"
for needed in libqt6widgets6 libfluidsynth3 libuemf0 libzip4 libaubio5 libsndfile1 libc6 timgm6mb-soundfont lilypond-fonts fonts-ipafont-gothic; do
    grep -q "$needed" <<<"$depends" || { echo "Depends lacks $needed: $depends"; exit 1; }
done
[ "$(field Installed-Size)" -gt 0 ]
# Each output is held whole before it is searched: grep -q leaving early would break the pipe.
description="$(field Description)"
grep -q "shinobue" <<<"$description" || { echo "no description"; exit 1; }

listing="$(dpkg-deb -c "$package")"
files="$(awk '{ print $6 }' <<<"$listing")"
for file in ./usr/bin/shinofu ./usr/lib/shinofu/libshinofu_aubio.so ./usr/share/shinofu/shinofu.INI ./usr/share/shinofu/shinofu.txt ./usr/share/shinofu/shinofu.en.txt \
            ./usr/share/shinofu/demo/sakura.gd4 ./usr/share/applications/shinofu.desktop \
            ./usr/share/mime/packages/shinofu.xml ./usr/share/icons/hicolor/scalable/apps/shinofu.svg \
            ./usr/share/man/man1/shinofu.1.gz ./usr/share/doc/shinofu/copyright ./usr/share/doc/shinofu/changelog.gz; do
    grep -qx "$file" <<<"$files" || { echo "missing: $file"; exit 1; }
done
# The desktop's caches belong to the system, which rebuilds them through its triggers.
! grep -q -e "^./usr/share/mime/globs" -e "mimeinfo.cache" <<<"$files" || { echo "a cache is packaged"; exit 1; }
# Owned by root, and the program without its debugging sections.
owners="$(awk '{ print $2 }' <<<"$listing" | sort -u)"
[ "$owners" = "root/root" ] || { echo "files not owned by root: $owners"; exit 1; }
dpkg-deb -x "$package" "$out/root"
sections="$(readelf -S "$out/root/usr/bin/shinofu")"
! grep -q "\.debug_" <<<"$sections" || { echo "the program is not stripped"; exit 1; }
# The installed program finds its sound-analysis module.
[ -z "$(readelf -d "$out/root/usr/bin/shinofu" | grep -i "RPATH\|RUNPATH")" ] || { echo "the program carries a build path"; exit 1; }
echo "packaged as $(basename "$package")"
