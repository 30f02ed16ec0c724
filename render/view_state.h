// How the page is shown: scale, scroll origin, page, view modes, colours and per-part display.
#pragma once

#include <array>
#include <vector>

#include "model/colour.h"
#include "model/configuration.h"
#include "model/score.h"

namespace shinofu::render {

// The measure being edited, highlighted behind the notes: from (line, measure) of the page to
// (endLine, endMeasure) when a range is picked, on the clicked staff of each system.
struct EditHighlight {
    bool shown = false;
    int line = 1;     // of the page, from 1
    int measure = 1;  // in the line, from 1
    int staff = 1;    // of the system, from 1
    bool range = false;
    int endLine = 1;
    int endMeasure = 1;
    bool cleared = false;  // measure editing: the highlight is crossed by bare staff lines
};

// What the variable view mode keeps while the fixed one shows the configured values.
struct ViewModeValues {
    double noteSize = 2.0;
    int lineSpacing = 42;
    int rowsPerPage = 12;
};

struct ViewState {
    double noteSize = 2.0;  // pixels per layout unit at normal zoom
    double startNoteSize = 2.0;  // as configured at start-up: how far the view may be shifted
    double zoom = 1.0;
    int lineSpacing = 42;   // layout units from one staff row to the next
    int rowsPerPage = 12;
    int topMargin = model::kDefaultTopMargin;
    int viewWidth = 990;    // pixels of the view image
    int viewHeight = 1420;
    int originX = 0;        // scroll origin, pixels
    int originY = 0;
    int curPage = 1;
    bool allPageView = false;
    bool printView = false;
    bool showMeasureNumbers = false;
    bool numericDisplay = false;
    double noteOffset = 0.0;
    model::Colour drawColor = model::rgb(0, 0, 0);
    model::Colour backColor = model::rgb(0xFF, 0xFF, 0xFF);
    model::Colour editDrawColor = model::rgb(0xFF, 0, 0);
    model::Colour editBackColor = model::rgb(0x80, 0x80, 0x80);
    model::Colour voice2Color = model::rgb(0xC0, 0xC0, 0xC0);
    // Where each part's display begins (null: its head) and by how many measures it is shifted.
    std::array<model::TNote*, model::kMaxParts> displayStart{};
    int startShift = 0;
    bool gridOn = false;
    int gridDiv = 1;  // 1 quarter, 2 eighth, 4 sixteenth, 3, 6, 12 the triplet divisions
    EditHighlight edit;
    bool fixedMode = false;
    ViewModeValues variableMode;
    // Parts whose fingering numerals are drawn under their notes.
    std::array<bool, model::kMaxParts> numericOverlay = {true, false, false, false, false, false};
    bool chorusNumeric = false;  // numerals under both voices of a chorus pair
    // Layout units each staff row of the current page stands lower than the row spacing puts it,
    // to give what hangs below a row room above the next; empty: none. Set by drawing the page.
    std::vector<double> rowDrop;

    double drawUnit() const { return noteSize * zoom; }
    static ViewState fromConfiguration(const model::Configuration& config);
};

}  // namespace shinofu::render
