// Pointer hit testing (hitToScore, getSymNum): a press on the staff page turned back into a staff,
// a line and measure of the page, a position inside the measure and a staff step.
#pragma once

#include <optional>

#include "model/score.h"
#include "render/item_bounds.h"
#include "render/page_tables.h"
#include "render/view_state.h"

namespace shinofu::render {

struct ScoreHit {
    int measure;  // in the line, from 1; beyond the line right of its last bar line
    int offset;   // position inside the measure in length units, from 1
    int line;     // of the page, from 1; 0 or less above the first staff
    int staff;    // in the system, from 1
    int part;     // the part shown on that staff; 0 when no part is
    int step;     // staff step under the pointer (10 = bottom line)

    bool sameMeasure(const ScoreHit& other) const {
        return measure == other.measure && line == other.line && staff == other.staff;
    }
};

ScoreHit hitToScore(const model::Score& score, const ViewState& view, const PageTables& tables, int x, int y);

// Length units from the part's display start to the first measure of the hit line, plus the
// measures before the hit one: where the hit measure begins.
int measureStartOf(const model::Score& score, const ViewState& view, const PageTables& tables, const ScoreHit& hit);

// What getPos finds in a part: the record at a target position and the first record of its measure.
struct PickedNote {
    model::TNote* note = nullptr;         // none when the part holds no record there
    model::TNote* measureFirst = nullptr;  // first record starting at or after the measure start
    int measureFirstStart = 0;
};
// A press lands some units after a note's start (the measure gap): a target up to four units
// past the start still picks the note before.
PickedNote getPos(model::TNote* displayStart, int measureStart, int target);

// getSymNum: the first symbol or mark whose drawn rectangle holds the point.
std::optional<ItemBounds> getSymNum(const PageItems& items, int x, int y);

}  // namespace shinofu::render
