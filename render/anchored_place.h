// Where an item anchored at a score position stands on the current page: staff row, measure of
// the line and offset inside it; the line's width is selected for the formulas that follow.
#pragma once

#include <optional>

#include "render/draw_context.h"

namespace shinofu::render {

struct AnchoredPlace {
    int row;      // staff row on the page
    int measure;  // in the line, from 1
    int offset;   // length units inside the measure
    int line;     // line of the page, from 0
    double base;  // staff base B of the row
};

// Nothing when the position lies past the line tables or the part is hidden.
std::optional<AnchoredPlace> anchoredPlace(DrawContext& context, int part, int position);

// Where a part's note at a position stands on the current page, in view pixels: its x and the
// staff base of its row. Nothing off the page's lines or for a hidden part.
struct StaffPoint {
    int x;
    int base;
};
std::optional<StaffPoint> staffPointOf(const model::Score& score, const ViewState& view, const PageTables& tables,
                                       int part, int position);

// The ordinal of a visible part among the visible parts, from 1; 0 when hidden.
int visibleOrdinal(const model::Score& score, int part);

// The part whose notes share this part's staff and are drawn first (the first of a chorus pair); 0: none.
int chorusPartner(const model::Score& score, const PageTables& tables, int part);

}  // namespace shinofu::render
