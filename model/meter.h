// The five meters and the measure values derived from them.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace shinofu::model {

constexpr int kLengthUnitsPerQuarter = 12;
constexpr int kMeterCount = 5;

struct Meter {
    std::string_view text;
    int numerator;
    int denominator;
    int sixteenthsPerMeasure;
    int measureLen;  // length units
    uint8_t glyphCode;  // music-font character of the time signature
};

const Meter& meterAt(int meterIndex);
std::optional<int> meterIndexFromText(std::string_view text);

}  // namespace shinofu::model
