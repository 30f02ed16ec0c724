#!/usr/bin/env bash
# The README's pictures of the editor: the demo score in staff notation and in numeric notation,
# taken under a virtual display (doc/editor-staff.png, doc/editor-numeric.png).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
display=":98"
Xvfb "$display" -screen 0 1040x760x24 >/dev/null 2>&1 &
xvfb=$!
home="$(mktemp -d)"
trap 'kill "$editor" "$xvfb" 2>/dev/null || true; rm -rf "$home"' EXIT
sleep 1
export DISPLAY="$display"
SHINOFU_HOME="$home" "$here/build/app/shinofu" "$here/data/demo/sakura.gd4" >/dev/null 2>&1 &
editor=$!
sleep 3
import -window root -crop 1030x720+0+0 "$here/doc/editor-staff.png"
xdotool mousemove 340 706 click 1   # "五線/数字"
sleep 1
import -window root -crop 1030x720+0+0 "$here/doc/editor-numeric.png"
echo "pictures in $here/doc"
