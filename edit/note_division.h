// Dividing the current note in two ("音符分割").
#pragma once

#include <optional>

#include "edit/edit_state.h"
#include "model/score.h"

namespace shinofu::edit {

// The two lengths a note of a length divides into; none for lengths that cannot be divided.
struct DividedLength {
    int first;
    int second;
};
std::optional<DividedLength> dividedLength(int len);

// The current note keeps the first length, a copy of its pitch after it takes the second; the
// copy continues the note's groups and takes its navigation mark.
bool divideNote(model::Score& score, EditState& state);

}  // namespace shinofu::edit
