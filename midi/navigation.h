// Repeat and navigation signs: marking the notes that carry them, and linking the event list.
#pragma once

#include "midi/perf_list.h"
#include "model/score.h"

namespace shinofu::midi {

// Marks the notes of part 1 at part 1's signs: bar signs and "to Coda" close the last note of their
// measure (closingMark), start signs and the Coda mark the note at the sign (jumpMark). Marks of
// signs since deleted are cleared.
void placeNavigationMarks(model::Score& score);

// Renews the jump links: final bar and Fine end, D.C. jumps to the start, D.S. to the last segno
// before it, every repeat end to its section's start (its start sign, else just after the previous
// section, else the beginning), each first ending to the second ending after it, "to Coda" to the
// Coda after it.
void linkNavigation(const PerfList& list);

}  // namespace shinofu::midi
