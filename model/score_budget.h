// What any reader may build of one score: far beyond the largest real score (six parts of a few
// thousand measures), far below what would take a gigabyte. Readers check it while they build and
// refuse a file past it, leaving the score in hand as it was.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace shinofu::model {

constexpr int kMostMeasures = 10000;          // per part
constexpr int kMostNotesPerPart = 200000;     // notes and rests, those made from gaps and padding included

std::string tooManyMeasuresMessage();
std::string tooManyNotesMessage();

// The refusal for a score file's lines whose note lines hold more than a part may, before reading.
std::optional<std::string> scoreLinesOverBudget(const std::vector<std::string>& lines);

}  // namespace shinofu::model
