// The selection of the current part and the one helper every editing command ends with.
#pragma once

#include <vector>

#include "edit/edit_state.h"
#include "model/score.h"
#include "platform/ui_text.h"

namespace shinofu::edit {

// Marks the score unsaved and every list built from it (the performance list) stale.
void markChanged(model::Score& score);

// Clears `selected` on every record of the current part, mends its prev links, forgets the
// current note and the edit measure.
void clearSelection(model::Score& score, EditState& state);

// The selected records of the current part, in list order.
std::vector<model::TNote*> selectedNotes(model::Score& score);

// Neither a current note nor a selection: a command on the picked notes has nothing to act on and
// says so with the notice.
bool nothingPicked(model::Score& score, const EditState& state);
constexpr const char* kPickNoteNotice = UI_TEXT("ui", "音符をクリックして選んでから使えます");

// The stem a note takes from its pitch: up to a1, down from b1.
bool stemFromPitch(uint8_t pitch);

}  // namespace shinofu::edit
