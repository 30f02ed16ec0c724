#include "render/page_drawer.h"

#include <optional>
#include <vector>

#include "render/beam_group.h"
#include "render/edit_highlight.h"
#include "render/note_curves.h"
#include "render/row_room.h"
#include "render/staff_drawing.h"

namespace shinofu::render {
namespace {

constexpr double kBracketWidth = 2;
constexpr double kAPaperRatio = 1.414;

// The visible parts in part order: staff i of a system shows the i-th of them.
std::vector<int> displaySlots(const model::Score& score) {
    std::vector<int> slots;
    for (int part = 1; part <= score.partCount; ++part) {
        if (score.part(part).visible) slots.push_back(part);
    }
    return slots;
}

int slotOnStaff(int staff, int chorusCount) {
    if (chorusCount == 1 && staff > 1) return staff + 1;
    if (chorusCount == 2 && staff == 2) return 3;
    if (chorusCount == 2 && staff > 2) return staff + 2;
    return staff;
}

void clearView(DrawContext& context) {
    // The outline takes the background colour too: the view has no frame of its own.
    platform::Pen pen;
    pen.colour = context.view.backColor;
    context.canvas.setPen(pen);
    context.canvas.setBrush({context.view.backColor, false});
    context.canvas.rectangle(0, 0, context.view.viewWidth, context.view.viewHeight);
    context.canvas.setBrush({0, true});
}

// A drawn note or rest, for the layers that place their items by it once all notes stand.
struct DrawnRecord {
    PlacedNote placed;
    int line;
    bool selected;
};

void drawRecord(DrawContext& context, const model::TNote& record, int part, const NoteSpot& spot, int line,
                std::vector<DrawnRecord>& drawn) {
    context.atRow(spot.row);
    context.beginItem(InkKind::Note);
    if (record.pitch == model::kRest) {
        drawRest(context, record, spot);
        drawn.push_back({{record, part, spot, 0.0}, line, record.selected});
    } else if (model::isStaffPitch(record.pitch)) {
        const double x = drawOnpu(context, record, spot);
        if (startsBeamGroup(record)) drawBeamGroup(context, record, spot, x);
        drawNoteCurves(context, record, spot, x);
        drawn.push_back({{record, part, spot, x}, line, record.selected});
    }
}

// The selection shows in the edit colour.
ViewState selectedView(const ViewState& view) {
    ViewState selected = view;
    selected.drawColor = view.editDrawColor;
    return selected;
}

// Calls visit(record, spot) for each of one part's records on the current page, in order, with the
// geometry on the record's line; returns the number of lines the records reached.
template <typename Visit>
int walkPageRecords(DrawContext& context, int part, int ordinal, Visit visit) {
    const model::Score& score = context.score;
    const model::Part& data = score.part(part);
    const PageTables& tables = context.tables;
    const int measureLen = score.measureLen();
    const int pageStart = tables.pageStart(context.view.curPage);
    const model::TNote* record =
        context.view.displayStart[part - 1] ? context.view.displayStart[part - 1] : data.partHead;
    int position = 0;
    while (record && !record->isEndMarker() && position < pageStart) {
        position += record->len;
        record = record->next;
    }
    int line = 1;
    int row = firstRowOf(ordinal, tables.chorusCount);
    int running = 0;
    int lines = 0;
    int stacked = 0;
    for (; record && !record->isEndMarker() && line <= tables.systemsPerPage; record = record->next) {
        stacked = record->len == 0 ? stacked + 1 : 0;
        if (stacked > kMaxStackedRecords) continue;
        context.geometry.selectLine(line);
        lines = line;
        const int lineLength = context.geometry.measPerLine() * measureLen;
        const NoteSpot spot{row, (running / measureLen) % context.geometry.measPerLine() + 1,
                            running % measureLen + 1, data.fClef};
        visit(*record, spot, line);
        running += record->len;
        if (running >= lineLength) {
            running = 0;
            ++line;
            row += tables.stavesPerSystem;
        }
    }
    return lines;
}

// A tinted note: drawn in its colour, its word in small letters above the staff over it.
void drawTinted(DrawContext& context, const NoteTint& tint, const model::TNote& record, int part, const NoteSpot& spot,
                int line, std::vector<DrawnRecord>& drawn) {
    ViewState tinted = context.view;
    tinted.drawColor = tint.colour;
    DrawContext tintedContext{context.canvas, context.score, tinted, context.tables, context.geometry, context.ink};
    drawRecord(tintedContext, record, part, spot, line, drawn);
    if (tint.label.empty()) return;
    const double u = context.geometry.unit();
    platform::FontDescription font;
    font.face = "ＭＳ ゴシック";
    font.height = px(2.6 * u);
    font.weight = 700;
    // Above the staff, or above the head of a note standing higher (three units a staff space,
    // the top line at step 18).
    const double base = context.geometry.staffBase(spot.row);
    const double head = base - 3 * u + (18 - PageGeometry::stepIndex(record.pitch, spot.fClef)) * 1.5 * u;
    context.canvas.setTextColour(tint.colour);
    context.canvas.text(px(drawn.back().placed.x), px(std::min(base - 6.5 * u, head - 4.5 * u)), tint.label, font);
}

// Draws one part's records of the current page; returns the number of lines its notes reached.
int drawPartNotes(DrawContext& context, int part, int ordinal, std::vector<DrawnRecord>& drawn, const NoteTints* tints) {
    const ViewState selected = selectedView(context.view);
    DrawContext selectedContext{context.canvas, context.score, selected, context.tables, context.geometry, context.ink};
    return walkPageRecords(context, part, ordinal, [&](const model::TNote& record, const NoteSpot& spot, int line) {
        if (const NoteTint* tint = tints ? tints->of(part, record.startPos) : nullptr; tint && model::isStaffPitch(record.pitch)) {
            drawTinted(context, *tint, record, part, spot, line, drawn);
            return;
        }
        drawRecord(record.selected ? selectedContext : context, record, part, spot, line, drawn);
    });
}

// Each layer in turn places its items by every drawn note, in the notes' order, once the notes and
// staves stand: what a layer keeps clear of does not depend on which note came first.
void placeByNotes(DrawContext& context, const std::vector<DrawnRecord>& drawn, const PageOptions& options) {
    const ViewState selected = selectedView(context.view);
    DrawContext selectedContext{context.canvas, context.score, selected, context.tables, context.geometry, context.ink};
    for (PageLayers* layer : options.layers) {
        for (const DrawnRecord& record : drawn) {
            context.geometry.selectLine(record.line);
            context.atRow(record.placed.spot.row);
            layer->noteDrawn(record.selected ? selectedContext : context, record.placed);
        }
    }
}

// Tints the first measure of the page in each part whose notes run past its bar line, behind the notes.
void tintOverfullMeasures(DrawContext& context) {
    const int measureLen = context.score.measureLen();
    int ordinal = 0;
    for (int part = 1; part <= context.score.partCount; ++part) {
        if (!context.score.part(part).visible) continue;
        const int staff = firstRowOf(++ordinal, context.tables.chorusCount);
        std::optional<EditHighlight> overfull;
        walkPageRecords(context, part, ordinal, [&](const model::TNote& record, const NoteSpot& spot, int line) {
            if (overfull || spot.position - 1 + record.len <= measureLen) return;
            overfull = EditHighlight{true, line, spot.measure, staff};
        });
        if (overfull) drawMeasureTint(context, *overfull, kOverfullTint);
    }
}

void drawStaves(DrawContext& context, int systems) {
    const PageTables& tables = context.tables;
    const double u = context.geometry.unit();
    const auto slots = displaySlots(context.score);
    for (int system = 1; system <= systems; ++system) {
        context.geometry.selectLine(system);
        double firstBottom = 0;
        double lastBottom = 0;
        for (int staff = 1; staff <= tables.stavesPerSystem; ++staff) {
            const int row = staff + (system - 1) * tables.stavesPerSystem;
            const double bottom = context.geometry.staffBase(row) + 3 * kStaffLineSpacing * u;  // the bottom line
            const int slot = slotOnStaff(staff, tables.chorusCount);
            const int part = slot >= 1 && slot <= static_cast<int>(slots.size()) ? slots[slot - 1] : 0;
            const bool fClef = part > 0 && context.score.part(part).fClef;
            const int lineIndex = tables.lineIndex(context.view.curPage, system);
            context.atRow(row);
            context.beginItem(InkKind::Staff);
            draw5lines(context, {row, fClef, bottom, static_cast<double>(context.geometry.staffLeftX()), lineIndex,
                                 system == 1});
            if (context.ink) {
                context.ink->addStaffBand({context.geometry.staffLeftX(), px(bottom - 4 * kStaffLineSpacing * u),
                                           context.geometry.barX(context.geometry.measPerLine()), px(bottom)});
            }
            if (staff == 1) firstBottom = bottom;
            lastBottom = bottom;
        }
        if (tables.stavesPerSystem > 1) {
            platform::Pen pen;
            pen.colour = context.view.drawColor;
            pen.width = px(kBracketWidth);
            context.canvas.setPen(pen);
            const int x = context.geometry.staffLeftX();
            context.canvas.moveTo(x, px(firstBottom - 12 * u));
            context.canvas.lineTo(x, px(lastBottom));
        }
    }
}

void drawFrame(DrawContext& context, int frameHeight) {
    const double width = context.view.viewWidth;
    const double scale = frameHeight / (width * kAPaperRatio);
    platform::Pen pen;
    pen.colour = context.view.drawColor;
    context.canvas.setPen(pen);
    context.canvas.setBrush({0, true});
    context.canvas.rectangle(0, 0, px(width * scale), px(width * kAPaperRatio * scale));
}

}  // namespace

int rowsHeight(const ViewState& view) { return px((view.topMargin + view.rowsPerPage * view.lineSpacing + 9) * view.drawUnit()); }

int pageFoot(const ViewState& view) {
    // The sheet the page is printed on, keeping at its foot the margin it has at its head.
    const double sheet = view.viewWidth * view.zoom * kAPaperRatio - view.topMargin * view.drawUnit();
    return std::max(rowsHeight(view), px(sheet));
}

int partOnStaff(const model::Score& score, int staff, int chorusCount) {
    const auto slots = displaySlots(score);
    const int slot = slotOnStaff(staff, chorusCount);
    return slot >= 1 && slot <= static_cast<int>(slots.size()) ? slots[slot - 1] : 0;
}

int firstRowOf(int ordinal, int chorusCount) {
    if (chorusCount == 0) return ordinal;
    return ordinal > 2 * chorusCount ? ordinal - chorusCount : (ordinal + 1) / 2;
}

namespace {

// The page's drawing through its ink: notes, staves, then the layers' items, which keep clear of it.
int drawThrough(InkCanvas& ink, platform::Canvas& canvas, const model::Score& score, const ViewState& view,
                const PageTables& tables, const PageOptions& options) {
    PageGeometry geometry(score, view, tables);
    std::vector<int> middles;
    for (int row = 1; row <= tables.systemsPerPage * tables.stavesPerSystem; ++row) {
        middles.push_back(px(geometry.staffBase(row) + kStaffLineSpacing * geometry.unit()));
    }
    ink.setRows(std::move(middles));
    ink.setSheet(-view.originY, pageFoot(view) - view.originY);
    DrawContext context{ink, score, view, tables, geometry, &ink};
    if (options.clear) clearView(context);
    canvas.setTextBackground(false, view.backColor);
    if (options.tintOverfull) tintOverfullMeasures(context);
    drawEditMeas(context, view.edit);
    ink.setBrush({0, true});

    int ordinal = 0;
    int lines = 0;
    std::vector<DrawnRecord> drawn;
    for (int part = 1; part <= score.partCount; ++part) {
        if (!score.part(part).visible) continue;
        lines = std::max(lines, drawPartNotes(context, part, ++ordinal, drawn, options.tints));
    }
    // A page without notes still shows one system.
    const int linesDrawn = ordinal > 0 ? std::max(1, lines) : 0;
    drawStaves(context, linesDrawn);
    placeByNotes(context, drawn, options);
    const int pageEnd = tables.pageEnd[std::min<size_t>(view.curPage, tables.pageEnd.size() - 1)];
    context.atRow(0);
    for (PageLayers* layer : options.layers) layer->pageDrawn(context, pageEnd);
    context.beginItem(InkKind::Ground);
    if (view.allPageView && options.frameHeight > 0) drawFrame(context, options.frameHeight);
    return linesDrawn;
}

}  // namespace

PageDrawResult drawPage(platform::Canvas& canvas, const model::Score& score, const ViewState& view,
                        const PageOptions& options) {
    PageDrawResult result;
    result.tables = buildPageTables(score, view);
    ViewState spaced = view;
    spaced.rowDrop.clear();
    // Every call goes through the page's ink, which the placed items keep clear of.
    InkCanvas ink(canvas);
    ink.keepClear(options.keepClear);
    if (options.keepClear) {
        // First as if every row had room: where the items of neighbouring rows would meet, the rows
        // move apart.
        InkCanvas plan(canvas, InkCanvas::Mode::Plan);
        drawThrough(plan, canvas, score, spaced, result.tables, options);
        const double u = view.drawUnit();
        spaced.rowDrop = rowDrops(plan.ink(), plan.bands(), clearanceGap(u), pageFoot(view) - view.originY, u);
        ink.shareTextInk(plan);
    }
    result.linesDrawn = drawThrough(ink, canvas, score, spaced, result.tables, options);
    if (options.rowDrop) *options.rowDrop = spaced.rowDrop;
    if (options.crowded) *options.crowded = ink.crowded();
    if (options.ink) *options.ink = ink.ink();
    return result;
}

}  // namespace shinofu::render
