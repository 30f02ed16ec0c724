#!/usr/bin/env bash
# Makes the Debian package shinofu_VERSION_ARCH.deb from the install rules of a build.
#   scripts/package.sh                    builds the program, then packages it into this folder
#   scripts/package.sh BUILD_DIR OUT_DIR  packages an existing build
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
if [ $# -eq 0 ]; then
    "$here/scripts/build.sh" shinofu
    build="$here/build"
    out="$here"
else
    build="$(cd "$1" && pwd)"
    out="$(cd "${2:-.}" && pwd)"
fi

version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")"
arch="$(dpkg --print-architecture)"
stage="$(mktemp -d)"
trap 'rm -rf "$stage"' EXIT
root="$stage/root"
umask 022

DESTDIR="$root" cmake --install "$build" --prefix /usr >/dev/null
# Debian ships programs without their debugging sections and man pages compressed.
module="$root/usr/lib/shinofu/libshinofu_aubio.so"  # the sound analysis, loaded when first used
strip --strip-unneeded --remove-section=.comment --remove-section=.note "$root/usr/bin/shinofu" "$module"
gzip -9n "$root/usr/share/man/man1/shinofu.1"
doc="$root/usr/share/doc/shinofu"
mkdir -p "$doc"
install -m 644 "$here/deps/debian/copyright" "$doc/copyright"
{
    echo "shinofu ($version) unstable; urgency=medium"
    echo
    echo "  * Packaged from the source tree at $(git -C "$here" describe --always --dirty 2>/dev/null || echo "version $version")."
    echo
    echo " -- $(sed -n 's/^Maintainer: //p' "$here/deps/debian/control.in")  $(date -R -d "@$(git -C "$here" log -1 --format=%ct 2>/dev/null || date +%s)")"
} | gzip -9n >"$doc/changelog.gz"

# The libraries the program links come from dpkg-shlibdeps; the SoundFont and fonts it opens at run
# time are named in the control template.
mkdir -p "$stage/debian"
printf 'Source: shinofu\n\nPackage: shinofu\nArchitecture: any\n' >"$stage/debian/control"
shlibs="$(cd "$stage" && dpkg-shlibdeps -O -e"$root/usr/bin/shinofu" -e"$module" 2>/dev/null | sed -n 's/^shlibs:Depends=//p')"
[ -n "$shlibs" ] || { echo "dpkg-shlibdeps found no libraries" >&2; exit 1; }

mkdir -p "$root/DEBIAN"
installed_size="$(du -sk --exclude=DEBIAN "$root" | cut -f1)"
sed -e "s/@VERSION@/$version/" -e "s/@ARCH@/$arch/" -e "s/@INSTALLED_SIZE@/$installed_size/" \
    -e "s/@SHLIBS@/$shlibs/" "$here/deps/debian/control.in" >"$root/DEBIAN/control"
(cd "$root" && find usr -type f -print0 | sort -z | xargs -0 md5sum >DEBIAN/md5sums)
find "$root" -type d -exec chmod 755 {} +
find "$root" -type f -exec chmod 644 {} +
chmod 755 "$root/usr/bin/shinofu"

package="$out/shinofu_${version}_${arch}.deb"
dpkg-deb --root-owner-group -Zxz --build "$root" "$package" >/dev/null
echo "$package"
