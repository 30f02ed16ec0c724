// The staff page with every layer and the numeric page, drawn into recording canvases.
#pragma once

#include <cstddef>

#include "numeric/fingering_overlay.h"
#include "numeric/numeric_page.h"
#include "platform/recording_canvas.h"
#include "render/lyric_layer.h"
#include "render/mark_layer.h"
#include "render/symbol_layer.h"

namespace shinofu::testing {

// Returns the number of drawing calls both pages made.
inline size_t drawBothPages(const model::Score& score) {
    platform::RecordingCanvas staff;
    numeric::FingeringOverlay overlay;
    render::LyricLayer lyrics;
    render::SymbolLayer symbols;
    render::MarkLayer marks;
    render::PageOptions pageOptions;
    pageOptions.layers = {&overlay, &lyrics, &symbols, &marks};
    render::drawPage(staff, score, render::ViewState{}, pageOptions);
    platform::RecordingCanvas numericPage;
    numeric::drawNumPage(numericPage, score, numeric::NumericPageFrame{990, 1420});
    return staff.calls.size() + numericPage.calls.size();
}

}  // namespace shinofu::testing
