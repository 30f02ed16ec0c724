// The page drawing driver: page tables, clearing, every visible part's notes of the current page,
// the staves over them, the later layers, and the whole-page frame.
#pragma once

#include <vector>

#include "model/score.h"
#include "platform/canvas.h"
#include "render/draw_context.h"
#include "render/note_drawing.h"
#include "render/note_tints.h"

namespace shinofu::render {

// Records that take no time stand on top of each other; past this many in a row the rest are not
// drawn, so that no file can make one place of a page cost without end.
constexpr int kMaxStackedRecords = 8;

// A note or rest as the driver placed it, for the layers drawn with it (lyrics, fingering, beams).
struct PlacedNote {
    const model::TNote& note;
    int part;
    NoteSpot spot;
    double x;  // the note's unrounded x (for rests, the x of a note at the same place)
};

// The layers other parts of the program draw on the staff page; each defaults to nothing.
class PageLayers {
public:
    virtual ~PageLayers() = default;
    virtual void noteDrawn(DrawContext& context, const PlacedNote& placed) {
        (void)context;
        (void)placed;
    }
    // After the staves: symbols, marks and texts of the page, which ends at pageEnd (length units).
    virtual void pageDrawn(DrawContext& context, int pageEnd) {
        (void)context;
        (void)pageEnd;
    }
};

struct PageDrawResult {
    int linesDrawn = 0;  // systems drawn on the page, at most systemsPerPage
    PageTables tables;
};

struct PageOptions {
    bool clear = true;              // an export clears its own picture first
    int frameHeight = 0;            // the window height the whole-page frame fills (0: no frame)
    std::vector<PageLayers*> layers;  // drawn in this order with each note, then after the staves
    bool tintOverfull = false;      // the editor's view: measures whose notes run past the bar line tinted
    std::vector<Ink>* ink = nullptr;  // receives the page's ink, for measuring it
    bool keepClear = true;            // placed items give way to what they would overlap
    std::vector<double>* rowDrop = nullptr;  // receives how far the rows were moved apart (the view's rowDrop)
    int* crowded = nullptr;  // receives how many items found no room clear of the others (left where they overlap)
    const NoteTints* tints = nullptr;  // notes drawn in colours of their own, with a word above each
};

PageDrawResult drawPage(platform::Canvas& canvas, const model::Score& score, const ViewState& view,
                        const PageOptions& options = {});

// Pixels from the top of the page to below its last staff row, at the row spacing (no scroll).
int rowsHeight(const ViewState& view);
// How far down the page's rows may be moved apart to keep their items clear (no scroll): the
// sheet's foot, or the rows' own height when they reach lower.
int pageFoot(const ViewState& view);

// The staff row of a part's first line from its ordinal among the visible parts.
int firstRowOf(int ordinal, int chorusCount);
// The part whose clef staff (1-based, in a system) carries; with chorus pairs the pair's first part. 0: none.
int partOnStaff(const model::Score& score, int staff, int chorusCount);

}  // namespace shinofu::render
