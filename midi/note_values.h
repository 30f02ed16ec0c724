// Lengths read from another format made into what the staff can write: notes cut and tied at bar
// lines, lengths without a single note value as two tied values, and runs of triplet values grouped
// in threes (a value next to its double halves the long one). Used by every import.
#pragma once

#include "model/score.h"

namespace shinofu::midi {

// Links a new record in front of `at` (the part's head when `at` is first) and returns it.
model::TNote* insertNoteBefore(model::Score& score, int part, model::TNote& at);

// Recomputes the part's positions first; record starts stay where they were, so anchors by position keep.
void settleNoteValues(model::Score& score, int part);

}  // namespace shinofu::midi
