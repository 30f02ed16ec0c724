// The "新規作成" state of the model.
#pragma once

#include "model/score.h"
#include "model/song_data_places.h"

namespace shinofu::model {

// What a new score takes from the configuration and the score settings.
struct ScoreDefaults {
    int measPerLine = 4;
    int fluteKey = kDefaultFluteKey;
    NameLayout names;  // remembered places of the names; unplaced ones take their built-in places
};

// Empties every part and gives the song data its new values; the six song-data symbols take the
// places of the short header forms.
void newScore(Score& score, const ScoreDefaults& defaults = {});

}  // namespace shinofu::model
