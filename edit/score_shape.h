// The score's shape from the staff menu: its meter and its number of parts.
#pragma once

#include "edit/edit_state.h"
#include "model/score.h"
#include "render/view_state.h"

namespace shinofu::edit {

// meterIndex into the meter table ("4/4", "3/4", "2/4", "3/8", "6/8"); the bar lines move at once.
bool setMeter(model::Score& score, int meterIndex);

// Growing gives the new parts empty lists (what an earlier shrink left behind is dropped);
// shrinking keeps the lists of the parts beyond the count but ignores them. Every part is shown
// again, in part order, and part 1 becomes current.
bool setPartCount(model::Score& score, render::ViewState& view, EditState& state, int parts);

}  // namespace shinofu::edit
