#!/usr/bin/env bash
# Opens the editor on the demo score under a virtual display, shows the note palette (both of its
# pages) and the input panel, and saves screenshots to look at: OUTDIR/palette-values.png,
# OUTDIR/palette-symbols.png, OUTDIR/input-panel.png.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="${1:-$here/build/screenshots}"
mkdir -p "$out"
display=":97"
Xvfb "$display" -screen 0 1280x1000x24 >/dev/null 2>&1 &
xvfb=$!
home="$(mktemp -d)"
trap 'kill "$editor" "$xvfb" 2>/dev/null || true; rm -rf "$home"' EXIT
sleep 1
export DISPLAY="$display"
SHINOFU_HOME="$home" "$here/build/app/shinofu" "$here/data/demo/sakura.gd4" >/dev/null 2>&1 &
editor=$!
sleep 3
# The palette from its tool button, the panel from the view menu.
xdotool mousemove 156 706 click 1   # "♪選択" in the tool bar
sleep 1
import -window root -crop 300x130+0+0 "$out/palette-values.png"
xdotool mousemove 264 108 click 1   # "記号": the symbol grid and the layout bar
sleep 1
import -window root -crop 300x130+0+0 "$out/palette-symbols.png"
xdotool mousemove 306 8 click 1     # 表示&V
sleep 0.5
xdotool mousemove 385 337 && sleep 0.5 && xdotool mousemove 540 337 click 1  # 音符入力パネル表示 › 表示
sleep 1
import -window root "$out/input-panel.png"
echo "screenshots in $out"
