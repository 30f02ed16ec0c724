#!/usr/bin/env bash
# The README's pictures of the editor: the demo score in staff notation and in numeric notation,
# in Japanese and in English, taken under a virtual display (doc/editor-staff.png,
# doc/editor-numeric.png, doc/editor-staff-en.png, doc/editor-numeric-en.png, doc/editor-menu-en.png).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
display=":98"
Xvfb "$display" -screen 0 1040x760x24 >/dev/null 2>&1 &
xvfb=$!
home="$(mktemp -d)"
mkdir -p "$home/Shinofu"   # the working folder: made beforehand, or the first start says so in a message box
editor=""
trap 'kill $editor "$xvfb" 2>/dev/null || true; rm -rf "$home"' EXIT
sleep 1
export DISPLAY="$display"

# LANGUAGE SUFFIX X: the editor in LANGUAGE, its staff and numeric pages; X is where the
# "五線/数字" ("Staff/Num") button sits in that language's status bar.
pictures() {
    SHINOFU_LANG="$1" SHINOFU_HOME="$home" "$here/build/app/shinofu" "$here/data/demo/sakura.gd4" >/dev/null 2>&1 &
    editor=$!
    sleep 3
    import -window root -crop 1030x720+0+0 "$here/doc/editor-staff$2.png"
    xdotool mousemove "$3" 706 click 1
    sleep 1
    import -window root -crop 1030x720+0+0 "$here/doc/editor-numeric$2.png"
}

pictures ja "" 427
kill "$editor"; sleep 0.5
pictures en "-en" 451
xdotool mousemove 270 8 click 1   # "Options"
sleep 1
import -window root -crop 1030x720+0+0 "$here/doc/editor-menu-en.png"
echo "pictures in $here/doc"
