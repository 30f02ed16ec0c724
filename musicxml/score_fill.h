// A MusicXML document as read, made into the score: parts, notes settled into note values, beams
// as written (or by the meter where the file has none), marks on their notes, signs on their
// measures, song data.
#pragma once

#include "model/score.h"
#include "musicxml/read_score.h"

namespace shinofu::musicxml {

void fillScore(model::Score& score, ReadScore& read);

}  // namespace shinofu::musicxml
