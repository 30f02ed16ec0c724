// Writes the score as the lines of a ".gd4" file (version 3 of the format).
#pragma once

#include <string>
#include <vector>

#include "model/score.h"

namespace shinofu::model {

// The whole file, one UTF-8 string per line. Performance data ("$T"/"$V") follows score.writePerfData.
std::vector<std::string> scoreFileLines(const Score& score);

// Header pieces that the score-settings file reuses.
std::string fontLine(const FontNames& fonts);
std::string numScoreLine(const NumericSettings& numeric);
std::string nfontLine(const NumericSettings& numeric);
std::string instrumentLine(const Score& score);
std::string noteSizeLine(const Score& score);
std::string noteItem(const TNote& note, bool withPerformanceData);

}  // namespace shinofu::model
