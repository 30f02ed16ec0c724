// The score as MusicXML 4.0 (partwise): what the model holds that MusicXML can say, with part 1's
// shinobue fingering as a second lyric line so other programs show it under the notes.
#pragma once

#include <string>

#include "model/score.h"

namespace shinofu::musicxml {

// The performance pass runs first: written accidentals sound through the key as the score plays.
std::string musicXmlOf(model::Score& score);

}  // namespace shinofu::musicxml
