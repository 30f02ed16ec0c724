// Pointer entry in the edit overlay: the pitch from the pointer's staff step, the position snapped
// to the grid, the input length and the palette's accidental; appended (add mode), written over
// what is there (overwrite) or put in front of it (pointer insertion).
#pragma once

#include "edit/edit_state.h"
#include "model/score.h"
#include "render/hit_test.h"
#include "render/page_tables.h"
#include "render/view_state.h"

namespace shinofu::edit {

struct PointerNote {
    uint8_t pitch;  // 0: a rest
    int position;   // length units from the overlay measure's start, on the grid
};

// What a press at `hit` inside the overlay measure enters; a rest when the chosen value is one.
PointerNote pointerNote(const model::Score& score, const render::ViewState& view, const render::PageTables& tables,
                        const render::ScoreHit& hit, bool restChosen);

enum class PointerOutcome {
    Ignored,          // not an entry mode, or nothing to enter at
    Entered,
    MeasureComplete,  // add mode: the cursor moves on to the next measure
    Ended,            // the position lies past the part's end: the entry ends as Escape ends it
};

PointerOutcome enterAtPointer(model::Score& score, render::ViewState& view, EditState& state, const PointerNote& note,
                              uint8_t accidental);

// The pointer modes: add (6), overwrite (24) and pointer insertion (25).
bool isPointerEntryMode(int mode);
// The overlay's measure: add mode's cursor (where the part ends), else the highlighted measure.
bool insideOverlay(const render::ViewState& view, const render::ScoreHit& hit);
// A left press inside the overlay: overwrite and insertion aim at the pressed measure first.
PointerOutcome pressInOverlay(model::Score& score, render::ViewState& view, EditState& state,
                              const render::PageTables& tables, const render::ScoreHit& hit, bool restChosen,
                              uint8_t accidental);
// Add mode's cursor: the highlighted measure is the one the next note goes into, on its page.
void showAddCursor(const model::Score& score, render::ViewState& view, const render::PageTables& tables);

}  // namespace shinofu::edit
