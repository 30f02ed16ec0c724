// Measures on the system clipboard as text: one note item of the score file per line.
#pragma once

#include <string>
#include <vector>

#include "edit/measure_clip.h"
#include "model/score.h"

namespace shinofu::edit {

// The note items from start up to the record that completes `measures` measures.
std::vector<std::string> measureLines(const model::TNote* start, int measures, int measureLen);

// Reads note items (a line may hold several, separated by ",") into the clip's own records; the
// clip covers the whole measures they fill. Returns that measure count.
int clipFromLines(const std::vector<std::string>& lines, MeasureClip& clip, const model::Score& score);

}  // namespace shinofu::edit
