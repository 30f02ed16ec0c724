// The one parser of header-style lines ("$KEY:value"), shared by score files, the score-settings
// file and the song-data editor.
#pragma once

#include <string_view>

#include "model/score.h"
#include "model/song_data_places.h"

namespace shinofu::model {

struct HeaderContext {
    bool formatFlag = true;       // current format: full symbol records; set by "$V:" above 2.75
    bool fromEditor = false;      // song-data editor: short forms, texts only
    bool numericApplies = true;   // "$NumScore" takes effect only once the main window is ready
    int defaultFluteKey = kDefaultFluteKey;
    NameLayout names;
    int lineTableCount = 0;       // next free entry of lineMeasures for "$MEAS"
};

enum class HeaderLine { Continue, End };

HeaderLine parseHeaderLine(std::string_view line, Score& score, HeaderContext& context);

// The seven "$NumScore" fields (also the configuration's eighth line); bad values take the defaults.
void parseNumericSettings(std::string_view value, NumericSettings& numeric);

// Tempo from the tempo text: a whole number, else the tempo words; sets msPerUnit.
void applyTempoText(Score& score);

}  // namespace shinofu::model
