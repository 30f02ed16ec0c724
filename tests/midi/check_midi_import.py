#!/usr/bin/python3
"""Writes MIDI files with an independent writer (mido), the way notation programs and DAWs do
(format 1 with a conductor track, note-offs as silent note-ons, which mido writes with running status), and checks what the import makes
of them through the command line's JSON dump."""
import json
import os
import subprocess
import sys
import tempfile

import mido

shinofu = sys.argv[1]
failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def notes_of(path, folder):
    dump = os.path.join(folder, "dump.json")
    subprocess.run([shinofu, "convert", path, dump], check=True, capture_output=True)
    with open(dump, encoding="utf-8") as file:
        score = json.load(file)
    return score, [(n["pitch"], n["len"], n["tie"], n["triplet"]) for n in score["parts"][0]["notes"]]


with tempfile.TemporaryDirectory() as folder:
    midi = mido.MidiFile(type=1, ticks_per_beat=480)
    conductor = mido.MidiTrack()
    conductor.append(mido.MetaMessage("set_tempo", tempo=mido.bpm2tempo(90), time=0))
    conductor.append(mido.MetaMessage("time_signature", numerator=3, denominator=4, time=0))
    conductor.append(mido.MetaMessage("key_signature", key="G", time=0))
    midi.tracks.append(conductor)
    melody = mido.MidiTrack()
    melody.append(mido.Message("program_change", channel=0, program=73, time=0))
    # A dotted quarter and an eighth, a quarter rest, three eighth triplets, and a dotted half tied over the bar.
    events = [(67, 0, 720), (69, 0, 240), (71, 480, 160), (72, 0, 160), (74, 0, 160), (66, 0, 1440)]
    for key, rest, length in events:
        melody.append(mido.Message("note_on", channel=0, note=key, velocity=80, time=rest))
        melody.append(mido.Message("note_on", channel=0, note=key, velocity=0, time=length))
    midi.tracks.append(melody)
    path = os.path.join(folder, "mido.mid")
    midi.save(path)

    score, notes = notes_of(path, folder)
    check(score["tempo"] == 90, f"tempo {score['tempo']}")
    check(score["meter"] == "3/4", f"meter {score['meter']}")
    check(score["keyLetter"] == "G", f"key {score['keyLetter']}")
    check(score["parts"][0]["instrument"] == 73, "program")
    lengths = [n[1] for n in notes]
    check(lengths[:2] == [18, 6], f"dotted quarter and eighth: {lengths}")
    check(notes[2][0] == 0 and lengths[2] == 12, f"quarter rest: {notes[2]}")
    check([n[3] for n in notes[3:6]] == [1, 2, 3] and lengths[3:6] == [4, 4, 4], f"triplets: {notes[3:6]}")
    check(lengths[6:8] == [24, 12] and notes[6][2] == 1 and notes[7][2] == 3, f"tie over the bar: {notes[6:8]}")

if failures:
    print("\n".join(failures))
    sys.exit(1)
print("MIDI files written by mido import as written")
