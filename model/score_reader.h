// Reads a score file (".gd4", or the older ".gd2"/".gd3") into the model.
#pragma once

#include <string>
#include <vector>

#include "model/header_parser.h"
#include "model/line_fit.h"
#include "model/score.h"

namespace shinofu::model {

struct ReadOptions {
    bool formatFlag = true;  // what the open command assumes; a "$V:" line above 2.75 sets it
    int defaultFluteKey = kDefaultFluteKey;
    NameLayout names;        // where the short "$NAME" form places the names
    // The view the older formats' symbol tokens are placed for, once key and meter are known.
    int viewWidth = 990;
    double noteSize = 2.0;
};

struct ReadReport {
    bool formatFlag = true;
    int droppedParts = 0;     // note parts beyond the sixth
    int droppedSections = 0;  // symbol, mark or lyric sections beyond the sixth
};

// Whether the lines hold anything a score file has: a header key beyond the version line, a section
// line, or a line whose every item is a note. Binary data, an empty file, a picture or a letter hold
// none of these.
bool recognisesScore(const std::vector<std::string>& lines);

// Replaces the score with the file's lines. The per-line measure table and the current part
// are reset as the open commands do.
ReadReport readScore(const std::vector<std::string>& lines, Score& score, const ReadOptions& options);

}  // namespace shinofu::model
