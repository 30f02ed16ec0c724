// The excess-note check: the first measure of each part that holds more than its length.
#pragma once

#include <array>
#include <optional>

#include "model/score.h"

namespace shinofu::model {

// Measure number (from 1) of the first overfull measure of the part, if any.
std::optional<int> firstOverfullMeasure(const Score& score, int part);

struct ExcessReport {
    std::array<std::optional<int>, kMaxParts> measures{};  // per part 1..6, index 0 = part 1
    bool found() const;
};
ExcessReport checkExcessNotes(const Score& score);

}  // namespace shinofu::model
