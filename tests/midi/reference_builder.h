// The event-list build done the straightforward way, tick by tick with a full rescan of the
// note-offs at every tick: the oracle the linear build is compared with.
#pragma once

#include <vector>

#include "midi/perf_list.h"
#include "model/score.h"

namespace shinofu::testing {

struct ReferenceList {
    std::vector<midi::SoundSnapshot> sounds;
    std::vector<midi::PerfEvent> events;
};

// Builds on the score as written: first a rest is given to every part that does not end with one,
// in the score itself, the way the linear build only pretends to.
ReferenceList referenceBuild(model::Score& score);

}  // namespace shinofu::testing
