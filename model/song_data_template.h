// The song data as editable header lines, and applying edited lines back to the score.
#pragma once

#include <string>
#include <vector>

#include "model/score.h"

namespace shinofu::model {

// The filled template once song data exists; otherwise the commented example template.
std::vector<std::string> songDataTemplate(const Score& score);

// Parses the lines with the header parser's editor forms (texts only, never symbol places),
// replaces the per-line measure table, and derives tempo and meter.
void applySongData(const std::vector<std::string>& lines, Score& score, int defaultFluteKey);

}  // namespace shinofu::model
