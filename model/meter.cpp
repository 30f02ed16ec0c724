#include "model/meter.h"

#include <array>

namespace shinofu::model {
namespace {

// sixteenths = numerator × (16 / denominator); measureLen = 3 units per sixteenth.
constexpr std::array<Meter, kMeterCount> kMeters = {{
    {"4/4", 4, 4, 16, 48, 166},
    {"3/4", 3, 4, 12, 36, 163},
    {"2/4", 2, 4, 8, 24, 162},
    {"3/8", 3, 8, 6, 18, 165},
    {"6/8", 6, 8, 12, 36, 164},
}};

}  // namespace

const Meter& meterAt(int meterIndex) {
    return kMeters[meterIndex >= 0 && meterIndex < kMeterCount ? meterIndex : 0];
}

std::optional<int> meterIndexFromText(std::string_view text) {
    for (int i = 0; i < kMeterCount; ++i) {
        if (kMeters[i].text == text) return i;
    }
    return std::nullopt;
}

}  // namespace shinofu::model
