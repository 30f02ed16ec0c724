// Performance marks on the current part's notes (breath, fermata, rit., a tempo, other text,
// dynamics, hairpins) and the measure signs placed in every part (final bar, repeats, endings,
// D.C., D.S., segno, Fine, Coda, to Coda), with their fixed texts, sizes and offsets.
#pragma once

#include "edit/edit_state.h"
#include "model/score.h"
#include "render/view_state.h"

namespace shinofu::edit {

enum class MarkKind { Breath, Fermata, Rit, ATempo, Other };

// On the current note (the breath mark: on the note after it); false when there is none.
bool addMark(model::Score& score, const render::ViewState& view, EditState& state, MarkKind kind);
// dynamics 1 (ppp) .. 8 (fff)
bool addDynamics(model::Score& score, const render::ViewState& view, EditState& state, int dynamics);
// One hairpin mark on every selected note; false when none is selected.
bool addHairpin(model::Score& score, const render::ViewState& view, EditState& state, model::HairpinRole role);
// At the start of the last clicked measure, in every part; false when no measure was clicked.
bool addMeasureSign(model::Score& score, const render::ViewState& view, EditState& state, model::SymbolKind kind);

}  // namespace shinofu::edit
