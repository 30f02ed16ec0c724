// The score-settings file (".TMP"): a short score header saved by "譜面設定保存" and read at start.
#pragma once

#include <string>
#include <vector>

#include "model/header_parser.h"
#include "model/score.h"

namespace shinofu::model {

// The fixed symbols' places and sizes with fixed texts, and the layout settings; no fonts, no "$END".
std::vector<std::string> scoreSettingsLines(const Score& score);

struct ScoreSettingsResult {
    bool formatFlag = false;  // its "$V:3" line selects the current format for a file named at start
    NameLayout names;         // remembered for the short "$NAME" form of older files
};

// Applies the lines as a file header would, except "$NumScore" (the window is not ready yet).
ScoreSettingsResult readScoreSettings(const std::vector<std::string>& lines, Score& score, int defaultFluteKey);

}  // namespace shinofu::model
