// Repeat and navigation signs: marking the notes that carry them, and linking the event list.
#pragma once

#include "midi/perf_list.h"
#include "model/score.h"

namespace shinofu::midi {

// Sets jumpMark on the notes of part 1 at part 1's signs: bar signs on the last note of their
// measure, start signs on the note at the sign. Marks set earlier are kept.
void placeNavigationMarks(model::Score& score);

// Renews the jump links: final bar and Fine end, D.C. jumps to the start, D.S. to the last segno
// before it, the last repeat end to the last repeat start, a first ending to the second.
void linkNavigation(const PerfList& list);

}  // namespace shinofu::midi
