// The page tables rebuilt by every page drawing: measures per line, line starts, page ends.
#pragma once

#include <array>
#include <vector>

#include "model/score.h"
#include "render/view_state.h"

namespace shinofu::render {

constexpr int kLineTableSize = model::kLineTableSize;

struct PageTables {
    std::array<int, kLineTableSize> lineMeasures{};   // measures on each line (page after page)
    std::array<int, kLineTableSize + 1> lineStart{};  // number of each line's first measure, from 1
    int visibleCount = 0;
    int chorusCount = 0;       // the pairs actually drawn together (never more than the parts allow)
    int stavesPerSystem = 1;
    int systemsPerPage = 1;
    int pageLen = 0;           // length units on a page of uniform lines
    int pageCount = 1;
    std::vector<int> pageEnd;  // pageEnd[p]: the position at which page p ends; pageEnd[0] = 0

    // The line-table entry of line j (1-based) of page p.
    int lineIndex(int page, int line) const { return (page - 1) * systemsPerPage + line - 1; }
    int measuresOn(int page, int line) const;
    int pageStart(int page) const;
};

PageTables buildPageTables(const model::Score& score, const ViewState& view);

// Where a position (length units from the start) falls: the measure in its line (from 1), the
// offset inside that measure, and the line's index within its page (from 0); line −1 (with
// measure 1, offset 1) when the position lies beyond the line table, and callers skip the item.
struct LinePosition {
    int measure;
    int offset;
    int line;
};
LinePosition posToLine(const PageTables& tables, int measureLen, int position);

}  // namespace shinofu::render
