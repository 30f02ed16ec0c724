#include "render/view_commands.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

namespace shinofu::render {
namespace {

constexpr double kAPaperRatio = 1.414;  // height over width of an A-series page
constexpr int kShiftSteps = 24;         // a view shift moves by the width of 24 length units

void returnToTopLeft(ViewState& view) {
    view.zoom = 1.0;
    view.allPageView = false;
    view.originX = 0;
    view.originY = 0;
}

void takeModeValues(ViewState& view, const ViewModeValues& values) {
    view.noteSize = values.noteSize;
    view.lineSpacing = values.lineSpacing;
    view.rowsPerPage = values.rowsPerPage;
    returnToTopLeft(view);
}

int roundToInt(double value) { return static_cast<int>(std::lround(value)); }

}  // namespace

void setAllPageView(ViewState& view, bool on, double availableHeight) {
    view.allPageView = on && availableHeight > 0 && view.viewWidth > 0;
    view.zoom = view.allPageView ? availableHeight / (view.viewWidth * kAPaperRatio) : 1.0;
    if (view.allPageView) {
        view.originX = 0;
        view.originY = 0;
    }
}

void setVariableMode(ViewState& view) {
    view.fixedMode = false;
    takeModeValues(view, view.variableMode);
}

void setFixedMode(ViewState& view, const model::Configuration& config) {
    if (!view.fixedMode) view.variableMode = {view.noteSize, view.lineSpacing, view.rowsPerPage};
    view.fixedMode = true;
    takeModeValues(view, {config.noteSize, config.lineSpacing, config.rowsPerPage});
}

bool nextPage(ViewState& view, int pageCount) {
    if (view.curPage >= pageCount) return false;
    ++view.curPage;
    return true;
}

bool previousPage(ViewState& view) {
    if (view.curPage <= 1) return false;
    --view.curPage;
    return true;
}

void viewShift(ViewState& view, int direction, double sixteenthWidth) {
    const int step = roundToInt((sixteenthWidth / 3 * kShiftSteps + 0.5 * view.noteOffset) * view.drawUnit());
    switch (direction) {
    case 1: view.originX += step; break;
    case 2: view.originY -= step / 4; break;
    case 3: view.originX -= step; break;
    case 4: view.originY += step / 4; break;
    case 5: view.originX += 4 * step; break;
    case 6: view.originY -= step; break;
    case 7: view.originX -= 4 * step; break;
    case 8: view.originY += step; break;
    default: return;
    }
    // The view may travel as far as the page has grown beyond its start-up size.
    const double growth = view.startNoteSize > 0 ? view.drawUnit() / view.startNoteSize : 1.0;
    const int maxX = std::max(0, roundToInt(growth * view.viewWidth - view.viewWidth));
    const int maxY = std::max(0, roundToInt(growth * view.viewHeight - view.viewHeight));
    view.originX = std::clamp(view.originX, 0, maxX);
    view.originY = std::clamp(view.originY, 0, maxY);
}

std::string originText(const ViewState& view) {
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "ox:%6.1f oy:%6.1f", static_cast<double>(view.originX),
                  static_cast<double>(view.originY));
    return buffer;
}

void setChorusDisplay(model::Score& score, int pairs) {
    score.chorusCount = std::clamp(pairs, 0, 2);
    score.applyChorusStems();
}

bool shiftDisplayLater(ViewState& view, model::Score& score) {
    const int measureLen = score.measureLen();
    std::array<model::TNote*, model::kMaxParts> next{};
    for (int part = 1; part <= score.partCount; ++part) {
        model::TNote* record = view.displayStart[part - 1] ? view.displayStart[part - 1] : score.part(part).partHead;
        int sum = 0;
        while (record && !record->isEndMarker() && sum < measureLen) {
            sum += record->len;
            record = record->next;
        }
        if (sum != measureLen || !record || record->isEndMarker()) return false;
        next[part - 1] = record;
    }
    view.displayStart = next;
    ++view.startShift;
    return true;
}

void shiftDisplayEarlier(ViewState& view, const model::Score& score) {
    const int measureLen = score.measureLen();
    for (int part = 1; part <= score.partCount; ++part) {
        model::TNote* start = view.displayStart[part - 1];
        if (!start) continue;
        int sum = 0;
        while (start->prev && sum < measureLen) {
            start = start->prev;
            sum += start->len;
        }
        view.displayStart[part - 1] = start;
    }
    if (--view.startShift < 0) resetDisplayStart(view);
}

void resetDisplayStart(ViewState& view) {
    view.displayStart = {};
    view.startShift = 0;
}

}  // namespace shinofu::render
