// Alterations in semitones (MusicXML's `alter`) and the score's accidental codes, and key
// signatures as MusicXML's `fifths` and as the score's 0..14, each way.
#pragma once

#include <cstdint>

namespace shinofu::musicxml {

// Sharps positive, flats negative.
int fifthsOfKey(int keySig);
int keyOfFifths(int fifths);

// kNatural for an alteration the codes do not have.
uint8_t accidentalOfAlter(int alter);
// 0 for a natural and for no accidental.
int alterOfAccidental(uint8_t accidental);

}  // namespace shinofu::musicxml
