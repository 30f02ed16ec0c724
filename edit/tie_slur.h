// Setting and clearing ties and slurs on the selected notes (tieSlurOp).
#pragma once

#include "edit/edit_state.h"
#include "model/score.h"
#include "platform/ui_text.h"

namespace shinofu::edit {

enum class TieSlurOp {
    TieSet = 1,        // joins each selected note with the note before it
    SlurSet = 2,
    SlurStart = 3,
    SlurEnd = 4,
    TieClear = 5,
    SlurClear = 6,
    TieOrSlurClear = 7,
};

constexpr const char* kTieBetweenPitchesNotice = UI_TEXT("ui", "高さの違う音はタイでつなげません（スラーを使ってください）");

// Applies the operation to the selected notes of the current part; the curve adjustments of the
// notes it starts are reset. A tie between notes of different sounds is refused with a notice and
// nothing changes. Returns whether a role changed.
bool applyTieSlur(model::Score& score, EditState& state, TieSlurOp op);

}  // namespace shinofu::edit
