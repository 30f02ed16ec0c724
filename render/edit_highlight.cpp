#include "render/edit_highlight.h"

#include "render/staff_drawing.h"

namespace shinofu::render {
namespace {

constexpr double kAboveRow = 9.0;    // layout units the highlight reaches above the top staff line
constexpr double kBelowRow = 18.0;   // ... and below it
constexpr double kGridOverhang = 9.0;
constexpr model::Colour kGridColour = 0xFF0000;  // blue
constexpr int kStaffLines = 5;

void drawGrid(DrawContext& context, int measure, int top, int bottom) {
    const PageGeometry& g = context.geometry;
    const double u = g.unit();
    const int division = context.view.gridDiv;
    const double measureStart = (measure - 1) * g.measureWidth() + context.view.noteOffset + kGridLead;
    const int from = px(top - kGridOverhang * u);
    const int to = px(bottom + kGridOverhang * u);
    auto line = [&](double offset) {
        const int x = px(u * (g.headWidth() + kNoteLead + offset) - context.view.originX);
        context.canvas.moveTo(x, from);
        context.canvas.lineTo(x, to);
    };
    platform::Pen pen;
    pen.colour = kGridColour;
    pen.style = platform::PenStyle::Dotted;
    context.canvas.setPen(pen);
    if (division == 2 || division == 4) {
        for (int e = 0; e < 4 * division; ++e) line(measureStart + g.sixteenthWidth() * (4 / division) * e);
    } else if (division == 3 || division == 6 || division == 12) {
        for (int e = 0; e < 2 * division; ++e) line(measureStart + (12 / division) * e * (g.sixteenthWidth() / 1.5));
    }
    pen.style = platform::PenStyle::Solid;
    context.canvas.setPen(pen);
    for (int beat = 0; beat < 4; ++beat) {
        if (division == 3 && beat % 2 == 1) continue;
        line(measureStart + 4 * beat * g.sixteenthWidth());
    }
}

struct MeasureBox {
    int left, top, right, bottom;
    double staffTop;  // the top staff line's y
};

// The area a measure's highlight covers on one staff row; leaves the geometry on that line.
MeasureBox measureBox(DrawContext& context, int line, int measure, int staff) {
    PageGeometry& g = context.geometry;
    const ViewState& view = context.view;
    g.selectLine(line);
    const double u = g.unit();
    const int row = (line - 1) * context.tables.stavesPerSystem + staff;
    const double top = g.staffBase(row) - 3 * u;
    return {px(g.measureWidth() * u * (measure - 1) + g.headWidth() * u - view.originX), px(top - kAboveRow * u),
            px(g.measureWidth() * u * measure + g.headWidth() * u - view.originX), px(top + kBelowRow * u), top};
}

}  // namespace

void drawMeasureTint(DrawContext& context, const EditHighlight& where, model::Colour colour) {
    const MeasureBox box = measureBox(context, where.line, where.measure, where.staff);
    platform::Pen pen;
    pen.colour = colour;
    context.canvas.setPen(pen);
    context.canvas.setBrush({colour, false});
    context.canvas.rectangle(box.left, box.top, box.right, box.bottom);
}

void drawEditMeas(DrawContext& context, const EditHighlight& edit) {
    if (!edit.shown) return;
    PageGeometry& g = context.geometry;
    const ViewState& view = context.view;
    g.selectLine(edit.line);
    const int count =
        edit.range ? (edit.endLine - edit.line) * g.measPerLine() + edit.endMeasure - edit.measure + 1 : 1;
    int line = edit.line;
    int measure = edit.measure;
    for (int i = 0; i < count && line <= context.tables.systemsPerPage; ++i) {
        drawMeasureTint(context, {true, line, measure, edit.staff}, view.editBackColor);
        const MeasureBox box = measureBox(context, line, measure, edit.staff);
        if (edit.cleared) {
            const double u = g.unit();
            for (int staffLine = 0; staffLine < kStaffLines; ++staffLine) {
                const double y = box.staffTop + staffLine * kStaffLineSpacing * u;
                nsLine(context, box.left, y, view.drawColor, y, box.right);
            }
        }
        if (i == 0 && view.gridOn) drawGrid(context, measure, box.top, box.bottom);
        if (++measure > g.measPerLine()) {
            measure = 1;
            ++line;
        }
    }
}

}  // namespace shinofu::render
