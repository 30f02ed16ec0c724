// Key signatures as MusicXML's `fifths` and as the score's 0..14, each way.
#pragma once

#include <cstdint>

namespace shinofu::musicxml {

// Sharps positive, flats negative.
int fifthsOfKey(int keySig);
int keyOfFifths(int fifths);

}  // namespace shinofu::musicxml
