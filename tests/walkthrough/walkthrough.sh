#!/usr/bin/env bash
# A new user's way through the whole program, with real keys and clicks on a virtual display:
# open the demo, edit a note, cut a measure and undo, transpose, play, switch to numeric notation,
# export a picture, print to PDF, save, import a MIDI file and save again, send it out as MusicXML and
# read that back. Every step is checked in the files it leaves.
set -euo pipefail
build="$1"
source_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
work="$(mktemp -d)"
display=":96"
Xvfb "$display" -screen 0 1280x1000x24 >/dev/null 2>&1 &
xvfb=$!
editor=""
trap 'kill $editor "$xvfb" 2>/dev/null || true; rm -rf "$work"' EXIT
export DISPLAY="$display"
export QT_QPA_PLATFORM=xcb  # the real window system, whatever the test run asked of the others
sleep 1

# Without a window manager the keyboard goes nowhere once a dialog has closed: give it back.
focus_main() {
    local window
    window="$(xdotool search --name "篠笛" 2>/dev/null | head -1 || true)"
    [ -n "$window" ] && xdotool windowfocus --sync "$window" 2>/dev/null || true
    sleep 0.3
}
step() { echo "-- $*"; focus_main; }
# On failure the screen is kept beside the build to look at.
fail() {
    echo "FAILED: $*"
    import -window root "$build/walkthrough-failure.png" 2>/dev/null || true
    exit 1
}
keys() { for key in "$@"; do xdotool key "$key"; sleep 0.25; done; }
click() { xdotool mousemove "$1" "$2" click "${3:-1}"; sleep 0.4; }
# A file dialog takes the typed path, once it has the keyboard.
answer() {
    local main
    main="$(xdotool search --name "篠笛" 2>/dev/null | head -1 || true)"
    for _ in $(seq 1 40); do
        [ "$(xdotool getwindowfocus 2>/dev/null || true)" != "$main" ] && break
        sleep 0.25
    done
    sleep 0.5
    xdotool key ctrl+a
    xdotool type --delay 20 "$1"
    xdotool key Return
    sleep 1
}
# Files appear when the program has written them; a loaded machine takes longer.
wait_file() { for _ in $(seq 1 40); do [ -s "$1" ] && return 0; sleep 0.25; done; return 1; }
line_of() { iconv -f CP932 -t UTF-8 "$1" | grep -a -m1 "$2" || true; }

cp "$source_dir/data/demo/sakura.gd4" "$work/sakura.gd4"
SHINOFU_HOME="$work/home" "$build/app/shinofu" "$work/sakura.gd4" >"$work/log" 2>&1 &
editor=$!
# Up when its window is there (a loaded machine takes longer).
for _ in $(seq 1 60); do xdotool search --name "篠笛" >/dev/null 2>&1 && break; sleep 0.5; done
sleep 2

step "a note raised by a step: two clicks pick it, the up arrow raises it"
click 120 134                        # the second d2 of measure 1
click 120 134
keys Up
step "saved as a new file"
keys alt+f s
answer "$work/edited.gd4"
wait_file "$work/edited.gd4" || fail "no saved score"
# The first measure's notes: the line after the header's end.
first_measures() { iconv -f CP932 -t UTF-8 "$1" | awk 'found { print; exit } /^\$END/ { found = 1 }'; }
[ "$(first_measures "$work/edited.gd4")" != "$(first_measures "$work/sakura.gd4")" ] || fail "the note did not change"
grep -aq "^d2 n n 96 d,e2 n n 96 d" <(first_measures "$work/edited.gd4") || fail "the raised note is not e2"

step "measure 3 cut, then undone"
click 410 706                        # "音符/小節": measure editing
click 600 138
keys ctrl+y
focus_main
keys alt+f s
answer "$work/cut.gd4"
wait_file "$work/cut.gd4" || fail "the cut score was not saved"
! cmp -s "$work/cut.gd4" "$work/edited.gd4" || fail "the measure was not cut"
focus_main
keys alt+m u                         # 小節編集 › 元に戻す
keys Escape
focus_main
keys alt+f s
answer "$work/undone.gd4"
wait_file "$work/undone.gd4" || fail "the restored score was not saved"
cmp -s "$work/undone.gd4" "$work/edited.gd4" || fail "the undo did not bring the measures back"

step "transposed a tone up"
keys alt+o
for i in 1 2 3 4 5 6 7 8; do xdotool key Down; done
keys Right Down Down Down Down Down Return   # 移調 › +2
focus_main
keys alt+f s
answer "$work/transposed.gd4"
wait_file "$work/transposed.gd4" || fail "the transposed score was not saved"
[ "$(line_of "$work/transposed.gd4" '^\$KEY:')" != "$(line_of "$work/undone.gd4" '^\$KEY:')" ] || fail "the key did not change"

step "played (no sound device here: the status bar says so) and stopped"
keys alt+o p
sleep 1
focus_main
keys alt+o p

step "numeric notation, and its picture saved as EMF"
click 340 706                        # "五線/数字"
keys alt+f c e
answer "$work/numeric"
wait_file "$work/numeric.emf" || fail "no EMF picture"
focus_main
head -c 4 "$work/numeric.emf" | od -An -tx1 | grep -q "01 00 00 00" || fail "no EMF picture"
click 340 706

step "printed to a PDF through the preview and the print dialog"
keys alt+f p
for _ in $(seq 1 40); do xdotool search --name "印刷プレビュー" >/dev/null 2>&1 && break; sleep 0.25; done
sleep 1
click 827 81                         # the preview's print button
sleep 2
click 511 306                        # the dialog's output file
xdotool key ctrl+a
xdotool type --delay 20 "$work/printed.pdf"
keys Return
wait_file "$work/printed.pdf" || fail "no PDF printed"
head -c 5 "$work/printed.pdf" | grep -q "%PDF-" || fail "the printed file is not a PDF"

step "a MIDI file imported and saved"
QT_QPA_PLATFORM=offscreen SHINOFU_HOME="$work/home2" "$build/app/shinofu" convert "$work/sakura.gd4" "$work/tune.mid" 2>/dev/null
keys alt+f
for i in 1 2 3 4 5; do xdotool key Down; done
keys Return                          # MIDIファイル読み込み
answer "$work/tune.mid"
focus_main
keys alt+f s
answer "$work/imported.gd4"
wait_file "$work/imported.gd4" || fail "the imported score was not saved"
grep -aq '^\$END' "$work/imported.gd4" || fail "the imported score is not a score file"

step "sent out as MusicXML and read back"
keys alt+f
for i in 1 2 3 4 5 6 7 8 9 10; do xdotool key Down; done
keys Return                          # MusicXML保存
answer "$work/sent"
wait_file "$work/sent.musicxml" || fail "no MusicXML written"
grep -q "<score-partwise" "$work/sent.musicxml" || fail "the written file is not MusicXML"
focus_main
keys alt+f
for i in 1 2 3 4 5 6; do xdotool key Down; done
keys Return                          # MusicXML読み込み
answer "$work/sent.musicxml"
focus_main
keys alt+f s                         # an imported score has no file yet: saving asks for one
answer "$work/from-musicxml.gd4"
wait_file "$work/from-musicxml.gd4" || fail "the score read from MusicXML was not saved"
[ "$(first_measures "$work/from-musicxml.gd4")" = "$(first_measures "$work/imported.gd4")" ] || fail "MusicXML brought back other notes"

step "reopened"
keys alt+f r
answer "$work/edited.gd4"
kill -0 "$editor" || fail "the editor is gone"
echo "walked through"
