#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks what a desktop finds there: the program (which
# finds its data beside it), the desktop entry, the file type and the icon.
set -euo pipefail
build="$1"
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
share="$prefix/share"
for file in bin/shinofu share/shinofu/shinofu.INI share/shinofu/shinofu.txt share/shinofu/shinofu.en.txt share/shinofu/demo/sakura.gd4 \
            share/applications/shinofu.desktop share/mime/packages/shinofu.xml \
            share/icons/hicolor/scalable/apps/shinofu.svg; do
    [ -e "$prefix/$file" ] || { echo "missing: $file"; exit 1; }
done
desktop-file-validate "$share/applications/shinofu.desktop"
xmllint --noout "$share/mime/packages/shinofu.xml"
# The MIME database built from the package gives ".gd4" files the score type.
grep -q "application/x-shinofu-score:\*.gd4" "$share/mime/globs"
# The installed program runs without the source tree, on the installed demo.
# A conversion that succeeds says nothing, even where the session has no runtime folder.
remarks="$(env -u XDG_RUNTIME_DIR SHINOFU_HOME="$prefix/home" "$prefix/bin/shinofu" convert \
    "$share/shinofu/demo/sakura.gd4" "$prefix/out.json" 2>&1)"
[ -z "$remarks" ] || { echo "a quiet conversion said: $remarks"; exit 1; }
grep -q "さくらさくら" "$prefix/out.json"
# It finds its sound-analysis module beside it: its own rendering comes back as a score.
env SHINOFU_HOME="$prefix/home" "$prefix/bin/shinofu" convert "$share/shinofu/demo/sakura.gd4" "$prefix/tune.wav"
env SHINOFU_HOME="$prefix/home" "$prefix/bin/shinofu" convert "$prefix/tune.wav" "$prefix/heard.gd4" --tempo 72 ||
    { echo "the installed program could not hear a recording"; exit 1; }
echo "installed and found"
