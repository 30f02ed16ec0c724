#!/usr/bin/env bash
# A new user's way through the whole program, with real keys and clicks on a virtual display:
# open the demo, edit a note, cut a measure and undo, transpose, undo and redo that and save in place,
# play, switch to numeric notation, export a picture, print to PDF, save, import a MIDI file and save
# again, send it out as MusicXML and read that back, render a WAV file. Every step is checked in the files it leaves.
set -euo pipefail
build="$1"
source_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
work="$(mktemp -d)"
editor=""
xvfb=""
trap 'kill $editor $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
# A display of its own: Xvfb picks a free number and tells it, so two runs on one machine never meet.
Xvfb -displayfd 3 -screen 0 1280x1000x24 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 1 1200); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "FAILED: Xvfb did not start"; exit 1; }
export DISPLAY=":$(head -1 "$work/display")"
export QT_QPA_PLATFORM=xcb  # the real window system, whatever the test run asked of the others

# Every wait is on a window, the focus or a file, bounded far beyond what an idle machine needs.
readonly patience=120
await() {
    local deadline=$((SECONDS + patience))
    until "$@"; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.1
    done
}
window_named() {
    local found
    found="$(xdotool search --onlyvisible --name "$1" 2>/dev/null || true)"
    echo "${found%%$'\n'*}"
}
shown() { [ -n "$(window_named "$1")" ]; }
gone() { ! shown "$1"; }
has_focus() { [ "$(xdotool getwindowfocus 2>/dev/null || true)" = "$1" ]; }
readonly main_title="篠笛譜面作成"
# On failure the screen is kept beside the build to look at.
fail() {
    echo "FAILED: $*"
    import -window root "$build/walkthrough-failure.png" 2>/dev/null || true
    exit 1
}
# Without a window manager nobody hands the keyboard on: each window takes it when its turn comes.
focus() {
    local window
    await shown "$1" || fail "no window \"$1\""
    window="$(window_named "$1")"
    xdotool windowfocus --sync "$window" 2>/dev/null || true
    await has_focus "$window" || fail "\"$1\" did not take the keyboard"
}
focus_main() { focus "$main_title"; }
step() { echo "-- $*"; focus_main; }
# Keys and clicks reach the program in the order sent; the program takes them one after another.
keys() { for key in "$@"; do xdotool key "$key"; done; }
click() { xdotool mousemove --sync "$1" "$2" click "${3:-1}"; }
# A file dialog, found by its title, takes the typed path; the editor has the keyboard again once it
# has closed.
answer() {
    focus "^$1\$"
    xdotool key ctrl+a
    xdotool type --delay 20 "$2"
    xdotool key Return
    await gone "^$1\$" || fail "the dialog \"$1\" stayed open"
    focus_main
}
wait_file() { await test -s "$1"; }
line_of() { iconv -f CP932 -t UTF-8 "$1" | grep -a -m1 "$2" || true; }

cp "$source_dir/data/demo/sakura.gd4" "$work/sakura.gd4"
SHINOFU_HOME="$work/home" "$build/app/shinofu" "$work/sakura.gd4" >"$work/log" 2>&1 &
editor=$!
# A first start makes the working folder and says so before the window opens.
focus "^Shinofu\$"
xdotool key Return
await shown "$main_title" || fail "the editor did not open"

step "a note raised by a step: two clicks pick it, the up arrow raises it"
click 120 134                        # the second d2 of measure 1
click 120 134
keys Up
step "saved as a new file"
keys alt+f s
answer 譜面データ保存 "$work/edited.gd4"
wait_file "$work/edited.gd4" || fail "no saved score"
# The first measure's notes: the line after the header's end.
first_measures() { iconv -f CP932 -t UTF-8 "$1" | awk 'found { print; exit } /^\$END/ { found = 1 }'; }
[ "$(first_measures "$work/edited.gd4")" != "$(first_measures "$work/sakura.gd4")" ] || fail "the note did not change"
grep -aq "^d2 n n 96 d,e2 n n 96 d" <(first_measures "$work/edited.gd4") || fail "the raised note is not e2"

step "measure 3 cut, then undone"
click 502 706                        # "音符/小節": measure editing
click 600 138
keys ctrl+y
keys alt+f s
answer 譜面データ保存 "$work/cut.gd4"
wait_file "$work/cut.gd4" || fail "the cut score was not saved"
! cmp -s "$work/cut.gd4" "$work/edited.gd4" || fail "the measure was not cut"
keys alt+m u                         # 小節編集 › 元に戻す
keys Escape
keys alt+f s
answer 譜面データ保存 "$work/undone.gd4"
wait_file "$work/undone.gd4" || fail "the restored score was not saved"
cmp -s "$work/undone.gd4" "$work/edited.gd4" || fail "the undo did not bring the measures back"

step "transposed a tone up"
keys alt+o
for i in 1 2 3 4 5 6 7 8 9 10 11; do xdotool key Down; done
keys Right Down Down Down Down Down Return   # 移調 › +2
keys alt+f s
answer 譜面データ保存 "$work/transposed.gd4"
wait_file "$work/transposed.gd4" || fail "the transposed score was not saved"
[ "$(line_of "$work/transposed.gd4" '^\$KEY:')" != "$(line_of "$work/undone.gd4" '^\$KEY:')" ] || fail "the key did not change"

step "the transposition taken back and done again with the keys, saved in place"
keys alt+BackSpace                   # 元に戻す, in every mode
keys alt+f s
answer 譜面データ保存 "$work/mine.gd4"
wait_file "$work/mine.gd4" || fail "the score after the undo was not saved"
cmp -s "$work/mine.gd4" "$work/undone.gd4" || fail "the undo did not take the transposition back"
keys alt+shift+BackSpace             # やり直し
keys ctrl+s                          # 上書き保存: no dialog, the file of the last save
await cmp -s "$work/mine.gd4" "$work/transposed.gd4" || fail "redo and 上書き保存 did not write the transposed score"

step "played (no sound device here: the status bar says so) and stopped"
keys alt+o p
sleep 1                              # playing is the one step only time can show
keys alt+o p

step "numeric notation, and its picture saved as EMF"
click 426 706                        # "五線/数字"
keys alt+f c e
answer 譜面画像の保存 "$work/numeric"
wait_file "$work/numeric.emf" || fail "no EMF picture"
focus_main
head -c 4 "$work/numeric.emf" | od -An -tx1 | grep -q "01 00 00 00" || fail "no EMF picture"
click 426 706

step "printed to a PDF through the preview and the print dialog"
keys alt+f p
focus "^印刷プレビュー\$"
click 827 81                         # the preview's print button
focus "^Print\$"
click 511 306                        # the dialog's output file
xdotool key ctrl+a
xdotool type --delay 20 "$work/printed.pdf"
keys Return
wait_file "$work/printed.pdf" || fail "no PDF printed"
# The file grows while it prints; the preview closes when it is done, and only then does the editor
# take keys again.
await gone "^Print\$" || fail "the print dialog stayed open"
await gone "^印刷プレビュー\$" || fail "the preview stayed open"
head -c 5 "$work/printed.pdf" | grep -q "%PDF-" || fail "the printed file is not a PDF"

step "a MIDI file imported and saved"
QT_QPA_PLATFORM=offscreen SHINOFU_HOME="$work/home2" "$build/app/shinofu" convert "$work/sakura.gd4" "$work/tune.mid" 2>/dev/null
# The print preview may hand the keyboard back late: the editor takes it again before the menu keys.
focus_main
keys alt+f
for i in 1 2 3 4 5 6; do xdotool key Down; done
keys Return                          # MIDIファイル読み込み
answer MIDIファイル読み込み "$work/tune.mid"
focus_main
keys alt+f s
answer 譜面データ保存 "$work/imported.gd4"
wait_file "$work/imported.gd4" || fail "the imported score was not saved"
grep -aq '^\$END' "$work/imported.gd4" || fail "the imported score is not a score file"

step "sent out as MusicXML and read back"
keys alt+f
for i in 1 2 3 4 5 6 7 8 9 10 11 12 13; do xdotool key Down; done
keys Return                          # MusicXML保存
answer MusicXML保存 "$work/sent"
wait_file "$work/sent.musicxml" || fail "no MusicXML written"
grep -q "<score-partwise" "$work/sent.musicxml" || fail "the written file is not MusicXML"
focus_main
keys alt+f
for i in 1 2 3 4 5 6 7; do xdotool key Down; done
keys Return                          # MusicXML読み込み
answer MusicXML読み込み "$work/sent.musicxml"
focus_main
keys alt+f s                         # an imported score has no file yet: saving asks for one
answer 譜面データ保存 "$work/from-musicxml.gd4"
wait_file "$work/from-musicxml.gd4" || fail "the score read from MusicXML was not saved"
[ "$(first_measures "$work/from-musicxml.gd4")" = "$(first_measures "$work/imported.gd4")" ] || fail "MusicXML brought back other notes"

step "rendered to a WAV file from the menu"
keys alt+f
for i in 1 2 3 4 5 6 7 8 9 10 11 12; do xdotool key Down; done
keys Return                          # WAVファイル作成
answer WAVファイル作成 "$work/tune"
wait_file "$work/tune.wav" || fail "no WAV written"
[ "$(head -c 4 "$work/tune.wav")" = "RIFF" ] || fail "the written file is not a WAV file"

step "the WAV heard back as a score"
keys alt+f
for i in 1 2 3 4 5 6 7 8; do xdotool key Down; done
keys Return                          # 録音から採譜
answer 録音から採譜 "$work/tune.wav"
focus "^採譜の設定\$"
keys Return                          # 採譜, the tempo found from the playing
await gone "^採譜の設定\$" || fail "the transcription settings stayed open"
await shown "^tune  $main_title" || fail "the recording did not become the score"  # the menus wait meanwhile
focus_main
keys alt+f s
answer 譜面データ保存 "$work/heard.gd4"
wait_file "$work/heard.gd4" || fail "the transcribed score was not saved"
[ "$(first_measures "$work/heard.gd4" | grep -c '[a-g][0-9] ')" -gt 0 ] || fail "the transcribed score holds no notes"

step "reopened"
keys alt+f r
answer ファイル読込 "$work/edited.gd4"
kill -0 "$editor" || fail "the editor is gone"
echo "walked through"
