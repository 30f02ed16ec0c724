#!/usr/bin/env bash
# Opens the editor on the demo score under a virtual display and saves screenshots of its tool
# windows to look at: the note palette (both pages), the input panel, the symbol dialog on the
# title, the curve dialog and the numeric settings, as OUTDIR/*.png.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="${1:-$here/build/screenshots}"
mkdir -p "$out"
display=":97"
Xvfb "$display" -screen 0 1280x1000x24 >/dev/null 2>&1 &
xvfb=$!
home="$(mktemp -d)"
editor=""
trap 'kill $editor "$xvfb" 2>/dev/null || true; rm -rf "$home"' EXIT
sleep 1
export DISPLAY="$display"

start_editor() {
    [ -n "$editor" ] && kill "$editor" 2>/dev/null && sleep 0.5
    SHINOFU_HOME="$home" "$here/build/app/shinofu" "$here/data/demo/sakura.gd4" >/dev/null 2>&1 &
    editor=$!
    sleep 3
}
# Opens a menu by its place on the menu bar, then an entry (and a submenu entry) by theirs.
menu() {
    xdotool mousemove "$1" 8 click 1
    sleep 0.5
    xdotool mousemove "$2" "$3"
    sleep 0.5
    if [ $# -gt 3 ]; then xdotool mousemove "$4" "$3"; sleep 0.4; xdotool mousemove "$4" "$5"; sleep 0.3; fi
    xdotool click 1
    sleep 1
}

start_editor
xdotool mousemove 156 706 click 1   # "♪選択" in the tool bar
sleep 1
import -window root -crop 300x130+0+0 "$out/palette-values.png"
xdotool mousemove 264 108 click 1   # "記号": the symbol grid and the layout bar
sleep 1
import -window root -crop 300x130+0+0 "$out/palette-symbols.png"
menu 306 385 337 540 337            # 表示 › 音符入力パネル表示 › 表示
import -window root -crop 500x500+0+0 "$out/input-panel.png"

start_editor
menu 142 150 282                    # 五線譜設定 › 記号編集
xdotool mousemove 495 43 click 1    # the title
sleep 1
import -window root -crop 470x280+0+0 "$out/symbol-dialog.png"

start_editor
menu 261 290 176 420 261            # 音符編集 › タイ、スラー › タイ／スラー曲線設定
import -window root -crop 400x200+0+0 "$out/curve-dialog.png"

start_editor
menu 390 420 118                    # オプション › 数字譜設定
import -window root -crop 460x360+480+0 "$out/numeric-settings.png"  # the window stands where the geometry file puts it
echo "screenshots in $out"
