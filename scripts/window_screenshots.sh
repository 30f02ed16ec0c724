#!/usr/bin/env bash
# Opens the editor on the demo score under a virtual display and saves screenshots of its tool
# windows to look at: the note palette (both pages), the input panel, the symbol dialog on the
# title, the curve dialog, the numeric settings, the play settings and the tuner, as OUTDIR/*.png.
# In the language of SHINOFU_LANG (ja or en): the menus are walked by their keys, the same in both.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="${1:-$here/build/screenshots}"
mkdir -p "$out"
display=":97"
Xvfb "$display" -screen 0 1280x1000x24 >/dev/null 2>&1 &
xvfb=$!
home="$(mktemp -d)"
mkdir -p "$home/Shinofu"   # the working folder: made beforehand, or the first start says so in a message box
editor=""
trap 'kill $editor "$xvfb" 2>/dev/null || true; rm -rf "$home"' EXIT
sleep 1
export DISPLAY="$display"

start_editor() {
    [ -n "$editor" ] && kill "$editor" 2>/dev/null && sleep 0.5
    SHINOFU_HOME="$home" "$here/build/app/shinofu" "$here/data/demo/sakura.gd4" >/dev/null 2>&1 &
    editor=$!
    sleep 3
    xdotool mousemove 900 8 click 1   # the menu bar's empty end: the window takes the keyboard
    sleep 0.3
}
# MENU-KEY DOWNS [SUBMENU-DOWNS]: opens a menu by its accelerator, goes down to an entry and takes it,
# or opens the submenu there and takes the entry that many further down. Disabled entries are not counted.
menu() {
    xdotool key "alt+$1"
    sleep 0.5
    for ((i = 0; i < $2; i++)); do xdotool key Down; done
    if [ $# -gt 2 ]; then
        xdotool key Right
        for ((i = 0; i < $3; i++)); do xdotool key Down; done
    fi
    xdotool key Return
    sleep 1
}

start_editor
menu v 15 0                         # 表示 › 音符選択フォーム表示 › 表示: the note palette
import -window root -crop 300x130+0+0 "$out/palette-values.png"
xdotool mousemove 264 108 click 1   # "記号": the symbol grid and the layout bar
sleep 1
import -window root -crop 300x130+0+0 "$out/palette-symbols.png"
menu v 14 0                         # 表示 › 音符入力パネル表示 › 表示
import -window root -crop 500x500+0+0 "$out/input-panel.png"

start_editor
xdotool key alt+s Up Return        # 五線譜設定 › 記号編集, the last entry
sleep 1
xdotool mousemove 495 43 click 1    # the title
sleep 1
import -window root -crop 470x280+0+0 "$out/symbol-dialog.png"

start_editor
menu n 7 4                          # 音符編集 › タイ、スラー › タイ／スラー曲線設定 (undo and redo, disabled, are passed over)
import -window root -crop 400x200+0+0 "$out/curve-dialog.png"

start_editor
menu o 4                            # オプション › 数字譜設定
import -window root -crop 460x360+480+0 "$out/numeric-settings.png"  # the window stands where the geometry file puts it
menu o 6                            # オプション › 演奏設定
import -window root "$out/play-settings.png"
menu o 7                            # オプション › チューナー
import -window root "$out/tuner.png"
echo "screenshots in $out"
