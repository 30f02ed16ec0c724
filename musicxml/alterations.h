// Alterations in semitones (MusicXML's `alter`) and the score's accidental codes, each way, and
// what a key signature gives a step.
#pragma once

#include <cstdint>

namespace shinofu::musicxml {

// The key's alteration of a step (C = 0 .. B = 6) with `fifths` sharps (or flats when negative).
int keyAlteration(int fifths, int step);

// kNatural for an alteration the codes do not have.
uint8_t accidentalOfAlter(int alter);
// 0 for a natural and for no accidental.
int alterOfAccidental(uint8_t accidental);

}  // namespace shinofu::musicxml
