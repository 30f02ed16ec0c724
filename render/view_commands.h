// The commands that change how the page is shown without changing the music: zoom and the
// whole-page frame, view modes, print view, pages, scrolling, chorus display, the display start.
#pragma once

#include <string>

#include "model/configuration.h"
#include "model/score.h"
#include "render/view_state.h"

namespace shinofu::render {

// The whole page fitted into the given height (an A-paper page as tall as the height), or the normal scale.
void setAllPageView(ViewState& view, bool on, double availableHeight);

// The variable mode's values restored, or the configured ones taken after saving them; the scroll
// origin returns to the top left.
void setVariableMode(ViewState& view);
void setFixedMode(ViewState& view, const model::Configuration& config);

// Next and previous page within 1..pageCount; false when the page stays.
bool nextPage(ViewState& view, int pageCount);
bool previousPage(ViewState& view);

// ViewShift: moves the scroll origin by direction code 1..8, kept within the zoomed page.
void viewShift(ViewState& view, int direction, double sixteenthWidth);
// The origins as the status bar shows them ("ox:", "oy:").
std::string originText(const ViewState& view);

// Chorus display of 0, 1 or 2 pairs: the odd part of each pair stems up, the even part down.
void setChorusDisplay(model::Score& score, int pairs);

// The display start: every part's display moves one measure later only when each has a whole
// measure and a record after it; earlier by one measure, back to the start when the count drops below 0.
bool shiftDisplayLater(ViewState& view, model::Score& score);
void shiftDisplayEarlier(ViewState& view, const model::Score& score);
void resetDisplayStart(ViewState& view);

}  // namespace shinofu::render
