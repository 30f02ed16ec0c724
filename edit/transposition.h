// Key signature, transposition by semitones with the spelling of the new key, and octave shifts.
#pragma once

#include <functional>
#include <vector>

#include "edit/key_table.h"
#include "model/pitch_spelling.h"
#include "model/score.h"

namespace shinofu::edit {

using model::chromaticOf;
using model::WrittenNote;
using model::writtenForm;

// The key a transposition by `steps` semitones from `keySig` lands in (never C♯, G♭ or C♭ major).
int transposedKey(int keySig, int steps);

// The signature alone: every note keeps its staff position.
void setKeySignature(model::Score& score, int keySig);

// Every part by -7..7 semitones into the transposed key, each note written so that it sounds its
// old sound moved by the step. Returns whether anything moved.
bool transpose(model::Score& score, int steps);

// The chosen notes of a part an octave up or down (those that would leave the staff stay), every
// note of the part keeping its sound, or its sound an octave away; returns the notes moved.
std::vector<model::TNote*> shiftNotesOctave(model::Score& score, int part,
                                            const std::function<bool(const model::TNote&)>& chosen, bool up);

// The current part (or every part) an octave up or down; notes that would leave the staff range stay.
bool shiftPartOctave(model::Score& score, int part, bool up);
// The picked measures of measure editing an octave up or down.
bool shiftMeasuresOctave(EditTarget& target, bool up);

}  // namespace shinofu::edit
