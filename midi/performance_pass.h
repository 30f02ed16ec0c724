// The performance pass: carried accidentals, sounding pitches, silent and tied-on notes, the
// sounding length of tied notes, and the length of the whole performance.
#pragma once

#include "model/score.h"

namespace shinofu::midi {

// Updates effAccidental, midiNote, silent, tiedOn and soundLen of every note of every part, and
// returns the performance length (the longest part) in length units.
int performancePass(model::Score& score);

// The MIDI key a note sounds: its chromatic number with key and effective accidental, plus 35.
int midiNoteOf(const model::TNote& note, int keySig);

}  // namespace shinofu::midi
