// Builds the performance event list from the score, in time that grows linearly with it.
#pragma once

#include <functional>
#include <memory>

#include "midi/perf_list.h"
#include "model/score.h"

namespace shinofu::midi {

// A copy of a record's sounding data with the part's instrument.
SoundSnapshot snapshotOf(const model::TNote& note, int program);

// Called now and then with the share of the build done; returning false cancels the build.
using BuildProgress = std::function<bool(double done)>;

// Runs the performance pass and merges every part's events: at one tick the note-offs first, in
// the order their notes started, then the note-ons in part order. A part that does not end with a
// rest sounds as if it did (the score is not changed). Returns nothing when cancelled.
std::shared_ptr<const PerfList> buildPerfList(model::Score& score, const BuildProgress& progress = {});

}  // namespace shinofu::midi
