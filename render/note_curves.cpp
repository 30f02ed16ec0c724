#include "render/note_curves.h"

#include <algorithm>
#include <optional>

#include "render/bar_signs.h"
#include "render/curve_drawing.h"

namespace shinofu::render {
namespace {

constexpr int kMaxCurveWalk = 512;     // records a curve may span; a file cannot make every note walk the part
constexpr double kLineStartLead = 3.0;  // layout units before a line's first note where a continued curve begins
constexpr double kSignClearance = 1.0;  // layout units an open arc stops short of a sign at the line's end

uint8_t roleOf(const model::TNote& note, CurveKind kind) { return kind == CurveKind::Slur ? note.slur : note.tie; }
bool startsCurve(uint8_t role) { return role == model::kRoleStart || role == model::kRoleEndAndStart; }
bool endsCurve(uint8_t role) { return role == model::kRoleEnd || role == model::kRoleEndAndStart; }

struct CurvePartner {
    const model::TNote* note;
    int distance;  // length units between the start note's place and the end note's
};

// The record that ends the curve starting at the note: the next one of role 3 or 4.
std::optional<CurvePartner> curveEnd(const model::TNote& start, CurveKind kind) {
    int distance = std::max(0, start.len);
    int walked = 0;
    for (const model::TNote* note = start.next; note && !note->isEndMarker() && walked < kMaxCurveWalk;
         note = note->next, ++walked) {
        if (endsCurve(roleOf(*note, kind))) return CurvePartner{note, distance};
        distance += std::max(0, note->len);
    }
    return std::nullopt;
}

// The record that starts the curve ending at the note; none when another curve's end comes first.
std::optional<CurvePartner> curveStart(const model::TNote& end, CurveKind kind) {
    int distance = 0;
    int walked = 0;
    for (const model::TNote* note = end.prev; note && walked < kMaxCurveWalk; note = note->prev, ++walked) {
        distance += std::max(0, note->len);
        const uint8_t role = roleOf(*note, kind);
        if (startsCurve(role)) return CurvePartner{note, distance};
        if (role == model::kRoleEnd) return std::nullopt;
    }
    return std::nullopt;
}

// The step a curve end takes: a rest at the end keeps the other note's height.
int curveStep(const model::TNote& note, bool fClef, int otherStep) {
    return model::isStaffPitch(note.pitch) ? PageGeometry::stepIndex(note.pitch, fClef) : otherStep;
}

void setCurvePen(DrawContext& context) {
    platform::Pen pen;
    pen.colour = context.tables.chorusCount > 0 ? context.view.voice2Color : context.view.drawColor;
    pen.width = context.thinPenWidth();
    context.canvas.setPen(pen);
}

void drawCurveFrom(DrawContext& context, const model::TNote& note, const NoteSpot& spot, double x, CurveKind kind,
                   int linePosition, int lineLength) {
    const std::optional<CurvePartner> end = curveEnd(note, kind);
    if (!end) return;
    const PageGeometry& g = context.geometry;
    const double base = g.staffBase(spot.row);
    const int step = PageGeometry::stepIndex(note.pitch, spot.fClef);
    const int endPosition = linePosition + end->distance;
    if (endPosition >= lineLength) {
        // The first arc runs open to the end of the line, or up to a sign standing at its last bar line.
        const CurveEnd from = procSlur0(context, step, note.curveStart, base, x, note.stemUp);
        const int lastMeasureStart = note.startPos - linePosition + (g.measPerLine() - 1) * context.score.measureLen();
        const double reach = closingSignReach(context, lastMeasureStart);
        const int lineEnd = g.barX(g.measPerLine()) + px((reach > 0 ? -reach - kSignClearance : 2) * g.unit());
        drawCurve(context, from, {lineEnd, from.y}, note.curveMid, note.stemUp);
        return;
    }
    const int measureLen = context.score.measureLen();
    const model::TNote& last = *end->note;
    // Both ends keep to the side the curve bends to: where the stems differ, a curve that left one
    // head from below and met the other from above would cut through the staff.
    const CurveEnd from = procSlur0(context, step, note.curveStart, base, x, last.stemUp);
    // The adjustments live on the start note, which the curve dialog edits.
    const int adjustment = kind == CurveKind::Slur ? note.curveEnd : note.curveStart;
    const CurveEnd to = procSlur0(context, curveStep(last, spot.fClef, step), adjustment, base,
                                  g.noteX(endPosition / measureLen + 1, endPosition % measureLen), last.stemUp);
    drawCurve(context, from, to, note.curveMid, last.stemUp);
}

void drawCurveContinuation(DrawContext& context, const model::TNote& note, const NoteSpot& spot, double x,
                           CurveKind kind, int linePosition) {
    const std::optional<CurvePartner> start = curveStart(note, kind);
    if (!start || linePosition - start->distance >= 0) return;
    const PageGeometry& g = context.geometry;
    const double base = g.staffBase(spot.row);
    const model::TNote& first = *start->note;
    const int step = PageGeometry::stepIndex(note.pitch, spot.fClef);
    const int adjustment = kind == CurveKind::Slur ? first.curveEnd : first.curveStart;
    const CurveEnd to = procSlur0(context, step, adjustment, base, x, note.stemUp);
    const int lineStart = px(g.noteX(1, 0) - kLineStartLead * g.unit());
    drawCurve(context, {lineStart, to.y}, to, first.curveMid, note.stemUp);
}

}  // namespace

void drawNoteCurves(DrawContext& context, const model::TNote& note, const NoteSpot& spot, double x) {
    const int measureLen = context.score.measureLen();
    const int linePosition = (spot.measure - 1) * measureLen + spot.position - 1;
    const int lineLength = context.geometry.measPerLine() * measureLen;
    bool penSet = false;
    for (CurveKind kind : {CurveKind::Slur, CurveKind::Tie}) {
        const uint8_t role = roleOf(note, kind);
        if (role == model::kNoRole || role == model::kRoleMiddle) continue;
        if (!penSet) setCurvePen(context);
        penSet = true;
        if (endsCurve(role)) drawCurveContinuation(context, note, spot, x, kind, linePosition);
        if (startsCurve(role)) drawCurveFrom(context, note, spot, x, kind, linePosition, lineLength);
    }
}

}  // namespace shinofu::render
