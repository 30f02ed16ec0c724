// The measure clip: the measures the last copy, cut or clipboard paste took.
#pragma once

#include <cstdint>
#include <deque>

#include "model/score.h"

namespace shinofu::edit {

// After a copy the clip points into the live part (later edits there show in the next paste),
// after a cut into the unlinked records, which stay in the score's pool. Before the score is
// replaced the clip takes copies of its records, so a paste never reaches released memory.
struct MeasureClip {
    model::TNote* start = nullptr;
    int measCount = 0;
    uint64_t generation = 0;     // the score generation the live pointers belong to
    std::deque<model::TNote> owned;  // the clip's own records once detached from a score
    bool detached = false;

    bool empty() const { return start == nullptr; }
};

// Keeps the clip's records through the replacement of the score it points into.
void detachClip(MeasureClip& clip, int measureLen);

// The records a paste takes from the clip: clipStart, then the next ones while their sum stays
// below the clip's measures (at least one record); empty when the clip is gone.
std::vector<const model::TNote*> clipRecords(const MeasureClip& clip, const model::Score& score);

}  // namespace shinofu::edit
