// The walk through an event list as a musician reads its signs: each repeat section twice, a first
// ending passed over the second time and after D.C. or D.S., D.C. and D.S. taken once, Fine ending
// the piece after them and "to Coda" leading to the Coda, the final bar ending it. Playback and the MIDI file walk the same way; the
// list's links stay as linking left them, each walk keeping its own record of what it took.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "midi/perf_list.h"

namespace shinofu::midi {

class Navigator {
public:
    static constexpr size_t kEnded = SIZE_MAX;
    enum class FinalBar { Ends, PlaysOn };

    explicit Navigator(const PerfList& list, FinalBar finalBar = FinalBar::Ends);

    // The event that follows the one just performed, or kEnded. A jump from a note-off waits for
    // the other note-offs of its tick, so every part's note ends before the music goes elsewhere.
    size_t next(size_t index);
    // The first event at or after a tick, every link met on the way taken once; kEnded when the
    // walk ends first.
    size_t seek(int32_t tick);

private:
    size_t step(size_t index);
    size_t passFirstEnding(size_t index);
    size_t leave(size_t index, bool keepLink);
    size_t go(int32_t target) const;
    bool offFollowsAtSameTick(size_t index) const;

    const PerfList* list_;
    std::vector<int32_t> jumps_;
    FinalBar finalBar_;
    unsigned flags_ = 0;
    int32_t pending_ = kNoJump;  // a jump waiting for the rest of its tick's note-offs
};

struct Performed {
    size_t index;  // into the list's events
    int64_t tick;  // when it sounds, in length units, repeats and jumps unrolled
};

// The events in the order a performance plays them, with the times it plays them at. A walk that
// would pass too many events (signs made to loop a file huge) goes on straight from there.
std::vector<Performed> performedEvents(const PerfList& list, Navigator::FinalBar finalBar);

}  // namespace shinofu::midi
