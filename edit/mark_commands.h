// Performance marks on the current part's notes (breath, fermata, rit., a tempo, other text,
// dynamics, hairpins) and the measure signs placed in every part (final bar, repeats, endings,
// D.C., D.S., segno, Fine, Coda, to Coda), with their fixed texts, sizes and offsets.
#pragma once

#include <optional>

#include "edit/edit_state.h"
#include "model/score.h"
#include "render/view_state.h"

namespace shinofu::edit {

enum class MarkKind { Breath, Fermata, Rit, ATempo, Other };

// The records the commands place, with their texts, sizes and offsets, for readers of other formats too.
// A breath mark is anchored at the start of the note after the breath.
model::TMark performanceMark(const model::Score& score, MarkKind kind, int anchor, int page);
model::TMark dynamicsMark(const model::Score& score, int dynamics, int anchor, int page);
model::TMark hairpinMark(const model::Score& score, model::HairpinRole role, int anchor, int page, double sixteenthWidth);
// Nothing for a kind that is not a measure sign (plain text).
std::optional<model::TScoreSym> measureSign(model::SymbolKind kind, int measureStart, int page, double measureWidth);

// On the current note (the breath mark: on the note after it); false when there is none.
bool addMark(model::Score& score, const render::ViewState& view, EditState& state, MarkKind kind);
// dynamics 1 (ppp) .. 8 (fff)
bool addDynamics(model::Score& score, const render::ViewState& view, EditState& state, int dynamics);
// One hairpin mark on every selected note; false when none is selected.
bool addHairpin(model::Score& score, const render::ViewState& view, EditState& state, model::HairpinRole role);
// At the start of the last clicked measure, in every part; false when no measure was clicked.
bool addMeasureSign(model::Score& score, const render::ViewState& view, EditState& state, model::SymbolKind kind);

}  // namespace shinofu::edit
