// A press on the staff page as the editor takes it: the clicked measure and part, the edit-measure
// highlight, and on a repeated press in the same measure the note under the pointer.
#pragma once

#include "edit/edit_state.h"
#include "model/score.h"
#include "render/hit_test.h"
#include "render/page_tables.h"
#include "render/view_state.h"

namespace shinofu::edit {

struct PressModifiers {
    bool shift = false;
    bool ctrl = false;
};

struct PressOutcome {
    bool picked = false;            // a note became the current note
    bool hideSymbolDialog = false;  // the press left symbol editing
    bool openOverlay = false;       // overwrite mode: the entry overlay opens on the picked note
};

// vdMouseDown on the staff page, for a left press below the top strip.
PressOutcome pressOnScore(model::Score& score, render::ViewState& view, EditState& state,
                          const render::PageTables& tables, const render::ScoreHit& hit, PressModifiers modifiers);

// getPos: the note of the current part at the clicked position becomes the current note and is selected.
bool pickClickedNote(model::Score& score, render::ViewState& view, EditState& state, const render::PageTables& tables);

// The part's record its display starts with.
model::TNote* displayHead(model::Score& score, const render::ViewState& view, int part);

}  // namespace shinofu::edit
