#!/usr/bin/python3
"""Reads the MIDI files the command line writes with an independent reader (mido) and renders one
through the fluidsynth synthesizer, checking what a player would hear."""
import array
import os
import subprocess
import sys
import tempfile
import wave

import mido

shinofu, demo = sys.argv[1], sys.argv[2]
failures = []
passes = 0


def check(condition, message):
    global passes
    if condition:
        passes += 1
    else:
        failures.append(message)


def convert(source, target):
    subprocess.run([shinofu, "convert", source, target], check=True, capture_output=True)


with tempfile.TemporaryDirectory() as folder:
    os.environ["SHINOFU_HOME"] = folder
    # The demo: one part in F major at 72, 4/4, 50 notes with their fingering numerals as lyrics.
    demo_mid = os.path.join(folder, "demo.mid")
    convert(demo, demo_mid)
    midi = mido.MidiFile(demo_mid)
    check(midi.type == 0 and len(midi.tracks) == 1 and midi.ticks_per_beat == 96, "format 0, one track, 96")
    messages = list(midi.tracks[0])
    notes = [m for m in messages if m.type == "note_on" and m.velocity > 0]
    check(len(notes) == 50, f"50 sounding notes, got {len(notes)}")
    check({m.channel for m in notes} == {0}, "part 1 on channel 0")
    check([m.program for m in messages if m.type == "program_change"] == [73], "program 73")
    tempo = [m.tempo for m in messages if m.type == "set_tempo"]
    check(tempo == [60000000 // 72], f"tempo {tempo}")
    check(any(m.type == "time_signature" and (m.numerator, m.denominator) == (4, 4) for m in messages), "4/4")
    check(any(m.type == "key_signature" and m.key == "F" for m in messages), "key F")
    lyrics = [m.text.encode("latin-1").decode("cp932") for m in messages if m.type == "lyrics"]
    check(len(lyrics) == 50, f"a numeral per note, got {len(lyrics)}")
    check(lyrics[:3] == ["２", "２", "３"], f"numerals {lyrics[:3]}")
    check(abs(midi.length - 14 * 4 * 60 / 72) < 0.2, f"length {midi.length}")

    # Two parts of unequal length, both written to their end, each on its channel.
    score = os.path.join(folder, "two.gd4")
    with open(score, "wb") as out:
        out.write("$V:3\r\n$Instrument:73,0\r\n$END\r\nc1 n n 96 u,d1 n n 96 u\r\n$START\r\ne1 n n 384 u,g1 n n 384 u\r\n".encode("cp932"))
    two_mid = os.path.join(folder, "two.mid")
    convert(score, two_mid)
    two = [m for m in mido.MidiFile(two_mid).tracks[0] if m.type == "note_on" and m.velocity > 0]
    check([(m.channel, m.note) for m in two] == [(0, 60), (1, 64), (0, 62), (1, 67)], f"two parts {two}")

    # The synthesizer plays the demo: a sound of the file's length, not silence.
    wav = os.path.join(folder, "demo.wav")
    soundfont = "/usr/share/sounds/sf2/TimGM6mb.sf2"
    subprocess.run(["fluidsynth", "-ni", "-g", "1.0", "-F", wav, "-r", "22050", soundfont, demo_mid],
                   check=True, capture_output=True)
    with wave.open(wav) as sound:
        frames = sound.getnframes()
        rate = sound.getframerate()
        samples = array.array("h", sound.readframes(frames))
    seconds = frames / rate
    check(midi.length - 0.5 <= seconds <= midi.length + 3.0, f"rendered {seconds:.1f} s for {midi.length:.1f} s")
    loud = sum(1 for s in samples if abs(s) > 1000)
    check(loud > len(samples) // 20, f"mostly silent: {loud} loud samples of {len(samples)}")

for failure in failures:
    print("FAILED:", failure)
print(f"{passes} passed, {len(failures)} failed")
sys.exit(1 if failures else 0)
