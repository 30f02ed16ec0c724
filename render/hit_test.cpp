#include "render/hit_test.h"

#include <algorithm>
#include <cmath>

#include "model/line_fit.h"
#include "render/page_drawer.h"
#include "render/page_geometry.h"

namespace shinofu::render {
namespace {

constexpr int kPickSlack = 4;  // length units

}  // namespace

ScoreHit hitToScore(const model::Score& score, const ViewState& view, const PageTables& tables, int x, int y) {
    const double u = view.drawUnit();
    const int staves = std::max(1, tables.stavesPerSystem);
    // The nearest staff base: a press within half a row spacing of it counts for that row.
    PageGeometry geometry(score, view, tables);
    int row = static_cast<int>(std::lround((y + view.originY - view.topMargin * u) / (view.lineSpacing * u)));
    for (int other = 0; other < static_cast<int>(view.rowDrop.size()); ++other) {
        if (std::abs(y - geometry.staffBase(other + 1)) < std::abs(y - geometry.staffBase(row + 1))) row = other;
    }
    const int line = (row >= 0 ? row / staves : (row - staves + 1) / staves) + 1;
    const int staff = row - (line - 1) * staves + 1;
    if (line >= 1 && line <= tables.systemsPerPage) geometry.selectLine(line);
    const double f = (x + view.originX) / u - geometry.headWidth() - kNoteLead;
    const int measure = static_cast<int>(std::trunc((f + model::kMeasureGap) / geometry.measureWidth())) + 1;
    const double inMeasure = f + model::kMeasureGap - (measure - 1) * geometry.measureWidth() - view.noteOffset;
    const int offset = static_cast<int>(std::trunc(inMeasure * 3 / geometry.sixteenthWidth())) + 1;
    const double base = geometry.staffBase(row + 1);
    const int step = static_cast<int>(std::lround((24 - (y - base) / u) / kStaffStep));
    const int part = staff >= 1 ? partOnStaff(score, staff, tables.chorusCount) : 0;
    return {measure, offset, line, staff, part, step};
}

int measureStartOf(const model::Score& score, const ViewState& view, const PageTables& tables, const ScoreHit& hit) {
    const int lineIndex = tables.lineIndex(view.curPage, std::clamp(hit.line, 1, tables.systemsPerPage));
    const int firstMeasure = lineIndex >= 0 && lineIndex < kLineTableSize ? tables.lineStart[lineIndex] : 1;
    return score.measureLen() * (firstMeasure + std::max(1, hit.measure) - 2);
}

PickedNote getPos(model::TNote* displayStart, int measureStart, int target) {
    PickedNote picked;
    int start = 0;
    for (model::TNote* note = displayStart; note && !note->isEndMarker(); note = note->next) {
        if (!picked.measureFirst && start >= measureStart) {
            picked.measureFirst = note;
            picked.measureFirstStart = start;
        }
        const int next = start + std::max(0, note->len);
        const bool last = note->next == nullptr || note->next->isEndMarker();
        if (!picked.note && start <= target - kPickSlack && (last || target - kPickSlack <= next)) picked.note = note;
        if (picked.note && picked.measureFirst) break;
        start = next;
    }
    return picked;
}

std::optional<ItemBounds> getSymNum(const PageItems& items, int x, int y) {
    for (const ItemBounds& item : items) {
        if (item.contains(x, y)) return item;
    }
    return std::nullopt;
}

}  // namespace shinofu::render
