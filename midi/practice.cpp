#include "midi/practice.h"

namespace shinofu::midi {

PracticeTiming practiceTiming(const model::Score& score, const PracticeSettings& settings) {
    const model::Meter& meter = score.meter();
    PracticeTiming timing;
    timing.settings = settings;
    timing.pieceEnd = score.scoreLength();
    timing.measureUnits = meter.measureLen;
    const int eighth = model::kLengthUnitsPerQuarter / 2;
    // Compound meters are counted in dotted quarters, three eighths to a beat.
    const bool compound = meter.denominator == 8 && meter.numerator % 3 == 0 && meter.numerator > 3;
    timing.beatUnits = meter.denominator == 8 ? (compound ? 3 * eighth : eighth) : model::kLengthUnitsPerQuarter * 4 / meter.denominator;
    return timing;
}

}  // namespace shinofu::midi
