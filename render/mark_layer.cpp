#include "render/mark_layer.h"

#include <algorithm>

#include "render/anchored_place.h"
#include "render/clear_place.h"
#include "render/drawn_text.h"
#include "render/symbol_layer.h"

namespace shinofu::render {
namespace {

constexpr double kHairpinOpening = 0.3;  // half the opening, in font sizes
constexpr double kLineStartLead = 3.0;   // layout units before a line's first note where a continued hairpin begins
constexpr double kBottomLine = 9.0;      // layout units from the staff base down to the bottom line

bool startsHairpin(const model::TMark& mark) {
    return mark.hairpin == model::kCrescendoStart || mark.hairpin == model::kDecrescendoStart;
}

// The mark's x: its note's place plus dx; at offset − 1 for a hairpin's end.
double markX(const DrawContext& context, const AnchoredPlace& place, double offset, int dx) {
    const PageGeometry& g = context.geometry;
    return g.noteX(place.measure, offset) + dx * g.unit();
}

}  // namespace

void MarkLayer::pageDrawn(DrawContext& context, int pageEnd) {
    items_.clear();
    const int pageStart = context.tables.pageStart(context.view.curPage);
    context.canvas.setTextBackground(false, context.view.backColor);
    for (int part = 1; part <= context.score.partCount; ++part) {
        if (!context.score.part(part).visible) continue;
        const auto& marks = context.score.part(part).marks;
        for (size_t i = 0; i < marks.size(); ++i) {
            const model::TMark& mark = marks[i];
            const bool onPage = mark.anchorPos >= pageStart && mark.anchorPos < pageEnd;
            if (startsHairpin(mark)) {
                // The next mark is the hairpin's end, drawn with it or not at all.
                if (i + 1 < marks.size()) drawHairpin(context, part, static_cast<int>(i), pageEnd);
                ++i;
            } else if (onPage) {
                drawText(context, part, static_cast<int>(i));
            }
        }
    }
}

void MarkLayer::drawText(DrawContext& context, int part, int index) {
    const model::TMark& mark = context.score.part(part).marks[static_cast<size_t>(index)];
    const std::optional<AnchoredPlace> place = anchoredPlace(context, part, mark.anchorPos);
    if (!place) return;
    const int x = px(markX(context, *place, place->offset, mark.dx));
    const int y = px(place->base + mark.dy * context.geometry.unit());
    const std::string text = drawnText(mark.text);
    const platform::FontDescription font = symbolFont(context, mark);
    auto draw = [&](DrawContext& target, int dx, int dy) {
        target.canvas.setTextColour(target.view.drawColor);
        target.canvas.text(x + dx, y + dy, text, font);
        if (target.measuring) return;
        items_.push_back({ItemKind::Mark, part, index, x + dx, y + dy, x + dx + target.canvas.textWidth(text, font),
                          y + dy + target.canvas.textHeight(text, font)});
    };
    const bool defaultDynamic = mark.dynamics && mark.dy == model::kDynamicsDefaultDy;
    const int belowStaff = px(place->base + (kBottomLine + kStaffLineSpacing / 4) * context.geometry.unit());
    const double staffBase = place->base;
    placeClear(context, InkKind::Mark, [&](const Box& ink) {
        // A dynamic where it was put by default belongs under the staff when something is in its
        // way: it looks for room from just below the bottom line, past notes and numerals.
        if (defaultDynamic) return GiveWay{Away::Down, std::max(0, belowStaff - ink.top)};
        return GiveWay{awayFromStaff(context, ink, staffBase)};
    }, draw);
}

// A hairpin from its start mark to the next mark. One whose end lies on a later line is drawn in
// two pieces, the opening at the break in proportion to the length before it.
void MarkLayer::drawHairpin(DrawContext& context, int part, int index, int pageEnd) {
    const auto& marks = context.score.part(part).marks;
    const model::TMark& start = marks[static_cast<size_t>(index)];
    const model::TMark& end = marks[static_cast<size_t>(index) + 1];
    const int pageStart = context.tables.pageStart(context.view.curPage);
    const bool startOnPage = start.anchorPos >= pageStart && start.anchorPos < pageEnd;
    const bool endOnPage = end.anchorPos > pageStart && end.anchorPos <= pageEnd;
    if ((!startOnPage && !endOnPage) || end.anchorPos <= start.anchorPos) return;
    const double u = context.geometry.unit();
    const double opening = kHairpinOpening * start.fontSize * u;
    const bool crescendo = start.hairpin == model::kCrescendoStart;
    const int measureLen = context.score.measureLen();
    const int total = end.anchorPos - 1 - start.anchorPos;

    // One piece: from (x1, opening fraction f1) to (x2, f2) around the centre line y.
    platform::Pen pen;
    pen.colour = context.view.drawColor;
    pen.width = context.thinPenWidth();
    auto piece = [&](double x1, double f1, double x2, double f2, double y, const AnchoredPlace& place) {
        const double staffBase = place.base;
        context.atRow(place.row);
        auto way = [&](const Box& ink) { return GiveWay{awayFromStaff(context, ink, staffBase)}; };
        placeClear(context, InkKind::Mark, way, [&](DrawContext& target, int, int dy) {
            target.canvas.setPen(pen);
            for (int side : {-1, 1}) {
                target.canvas.moveTo(px(x1), px(y + side * f1 * opening) + dy);
                target.canvas.lineTo(px(x2), px(y + side * f2 * opening) + dy);
            }
            if (target.measuring) return;
            items_.push_back({ItemKind::Mark, part, index, px(std::min(x1, x2)), px(y - opening) + dy,
                              px(std::max(x1, x2)), px(y + opening) + dy});
        });
    };
    auto fraction = [&](int position) {
        const double done = total > 0 ? std::clamp(double(position - start.anchorPos) / total, 0.0, 1.0) : 1.0;
        return crescendo ? done : 1.0 - done;
    };

    std::optional<AnchoredPlace> from = startOnPage ? anchoredPlace(context, part, start.anchorPos) : std::nullopt;
    const int startRow = from ? from->row : -1;
    const double startX = from ? markX(context, *from, from->offset, start.dx) : 0;
    const double startLineEnd = from ? context.geometry.barX(context.geometry.measPerLine()) : 0;
    const int startLineEndPosition =
        from ? start.anchorPos - from->offset - (from->measure - 1) * measureLen + context.geometry.measPerLine() * measureLen
             : 0;
    std::optional<AnchoredPlace> to = endOnPage ? anchoredPlace(context, part, end.anchorPos) : std::nullopt;
    if (from && to && to->row == startRow) {
        const double endX = markX(context, *to, to->offset - 1, end.dx);
        if (endX > startX) {
            piece(startX, fraction(start.anchorPos), endX, fraction(end.anchorPos - 1), from->base + start.dy * u, *from);
        }
        return;
    }
    if (from) {
        piece(startX, fraction(start.anchorPos), startLineEnd, fraction(startLineEndPosition), from->base + start.dy * u,
              *from);
    }
    if (to) {
        const int lineStartPosition = end.anchorPos - to->offset - (to->measure - 1) * measureLen;
        const double lineStart = context.geometry.noteX(1, 0) - kLineStartLead * u;
        piece(lineStart, fraction(lineStartPosition), markX(context, *to, to->offset - 1, end.dx), fraction(end.anchorPos - 1),
              to->base + start.dy * u, *to);
    }
}

}  // namespace shinofu::render
