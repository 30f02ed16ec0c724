#!/usr/bin/python3
"""The exported MusicXML as independent programs take it: xml.etree counts its notes, ties and
lyrics against the score's own dump, xmllint validates it against the MusicXML schema, MuseScore 3
plays it to a MIDI file whose notes (read with mido) are those of the program's own MIDI export, and
MuseScore's own MusicXML and compressed MusicXML of it import back to the same notes.

usage: check_musicxml_file.py SHINOFU SCHEMA SCORE... (scores after '--jumps' are not played: their
signs are a sampler, not music both players would walk the same way)"""
import json
import os
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

import mido

shinofu, schema = sys.argv[1], sys.argv[2]
scores = sys.argv[3:]
failures = []
env = dict(os.environ, QT_QPA_PLATFORM="offscreen")


def check(condition, message):
    if not condition:
        failures.append(message)


def run(*command):
    return subprocess.run(command, check=True, capture_output=True, env=env, timeout=120)


def dump(path, folder):
    out = os.path.join(folder, "dump.json")
    run(shinofu, "convert", path, out)
    with open(out, encoding="utf-8") as file:
        return json.load(file)


def sounding(note):
    return 1 <= note["pitch"] <= 42


def onsets(path):
    midi = mido.MidiFile(path)
    found = []
    for track in midi.tracks:
        now = 0
        for message in track:
            now += message.time
            if message.type == "note_on" and message.velocity > 0:
                found.append((round(now * 48 / midi.ticks_per_beat), message.note))
    return sorted(found)


def melody(score, lyrics):
    return [(n["pitch"], n["len"], n["tie"], n["lyric"].strip() if lyrics else "", n["accidental"]) for n in score["parts"][0]["notes"]]


play = True
for score_path in scores:
    if score_path == "--jumps":
        play = False
        continue
    name = os.path.basename(score_path)
    with tempfile.TemporaryDirectory() as folder:
        exported = os.path.join(folder, "score.musicxml")
        run(shinofu, "convert", score_path, exported)
        score = dump(score_path, folder)

        root = ET.parse(exported).getroot()
        check(root.tag == "score-partwise" and root.get("version") == "4.0", f"{name}: root {root.tag}")
        parts = root.findall("part")
        check(len(parts) == score["partCount"], f"{name}: {len(parts)} parts for {score['partCount']}")
        for part, model in zip(parts, score["parts"]):
            notes = [n for n in part.iter("note") if n.find("rest") is None]
            starts = [n for n in notes if all(t.get("type") != "stop" for t in n.findall("tie"))]
            model_starts = [n for n in model["notes"] if sounding(n) and n["tie"] not in (2, 3, 4)]
            check(len(starts) == len(model_starts), f"{name}: {len(starts)} struck notes written for {len(model_starts)}")
            ties = sum(1 for n in notes for t in n.findall("tie") if t.get("type") == "start")
            model_ties = sum(1 for n in model["notes"] if sounding(n) and n["tie"] in (1, 2, 4))
            check(ties >= model_ties, f"{name}: {ties} ties written for {model_ties}")
            lyrics = [l for n in notes for l in n.findall("lyric") if l.get("number") == "1"]
            model_lyrics = [n for n in model["notes"] if sounding(n) and n["lyric"].strip()]
            check(len(lyrics) == len(model_lyrics), f"{name}: {len(lyrics)} lyrics written for {len(model_lyrics)}")
            divisions = int(part.find("measure/attributes/divisions").text)
            length = sum(int(n.find("duration").text) for n in part.iter("note")) * 12 // divisions
            measure = score["measureLen"]
            whole = -(-sum(n["len"] for n in model["notes"]) // measure) * measure
            check(length == whole, f"{name}: {length} units written for {whole}")
        fingerings = [l for l in parts[0].iter("lyric") if l.get("number") == "2"]
        check(0 < len(fingerings), f"{name}: no fingering under part 1")

        validation = subprocess.run(["xmllint", "--noout", "--nonet", "--schema", schema, exported], capture_output=True, text=True)
        check(validation.returncode == 0, f"{name}: not valid MusicXML: {validation.stderr[:400]}")

        played = os.path.join(folder, "musescore.mid")
        run("mscore3", "-o", played, exported)
        if play:
            own = os.path.join(folder, "own.mid")
            run(shinofu, "convert", score_path, own)
            check(onsets(played) == onsets(own), f"{name}: MuseScore plays other notes than the score's own MIDI file")

        # Notes over a bar line come back as tied notes: what the exported file itself imports to is the reference.
        ours = dump(exported, folder)
        # Without a first verse MuseScore renumbers the fingering verse as the first.
        lyrics = any(n["lyric"].strip() for n in ours["parts"][0]["notes"])
        for form in ("musicxml", "mxl"):
            rewritten = os.path.join(folder, "musescore." + form)
            run("mscore3", "-o", rewritten, exported)
            back = dump(rewritten, folder)
            check(melody(back, lyrics) == melody(ours, lyrics), f"{name}: MuseScore's .{form} imports to other notes")
            check(back["title"] == score["title"], f"{name}: MuseScore's .{form} title {back['title']!r}")

for failure in failures:
    print(failure)
sys.exit(1 if failures else 0)
