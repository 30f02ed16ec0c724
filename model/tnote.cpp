#include "model/tnote.h"

#include <cmath>
#include <limits>

namespace shinofu::model {

int32_t playTimeFor(int32_t len, double msPerUnit) {
    double ms = std::round(len * msPerUnit);
    constexpr double kMax = std::numeric_limits<int32_t>::max();
    return ms > kMax ? std::numeric_limits<int32_t>::max() : static_cast<int32_t>(ms);
}

void initNote(TNote& note, double msPerUnit) {
    note = TNote{};
    note.playTime = playTimeFor(note.len, msPerUnit);
}

}  // namespace shinofu::model
