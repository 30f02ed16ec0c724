// The fingering grid (".dt"): one line per measure, one comma per length unit, each note's
// fingering symbol in double quotes where the note begins.
#pragma once

#include <string>
#include <vector>

#include "model/score.h"

namespace shinofu::numeric {

// The grid of a part; effAccidental must be current (the performance pass keeps it so).
std::vector<std::string> fingeringGridLines(const model::Score& score, int part);

}  // namespace shinofu::numeric
