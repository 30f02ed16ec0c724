#include "model/excess_notes.h"

namespace shinofu::model {

std::optional<int> firstOverfullMeasure(const Score& score, int part) {
    const int measureLen = score.measureLen();
    int sum = 0;
    int measure = 1;
    for (const TNote* note = score.part(part).partHead; note && !note->isEndMarker(); note = note->next) {
        sum += note->len;
        if (sum == measureLen) {
            sum = 0;
            ++measure;
        } else if (sum > measureLen) {
            return measure;
        }
    }
    return std::nullopt;
}

bool ExcessReport::found() const {
    for (const auto& measure : measures) {
        if (measure) return true;
    }
    return false;
}

ExcessReport checkExcessNotes(const Score& score) {
    ExcessReport report;
    for (int part = 1; part <= score.partCount; ++part) report.measures[part - 1] = firstOverfullMeasure(score, part);
    return report;
}

}  // namespace shinofu::model
