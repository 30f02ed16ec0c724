#include "render/curve_drawing.h"

namespace shinofu::render {
namespace {

constexpr double kEndLead = 2.5;    // layout units from the note x to the curve end
constexpr double kEndInset = 0.8;   // each end moves this far towards the other
constexpr double kRise = 3.0;       // layout units the middle bends past the ends
constexpr double kBelowHead = 0.5;  // layout units under a stem-up head
constexpr double kAboveHead = 5.5;  // layout units over a stem-down head

}  // namespace

CurveEnd procSlur0(const DrawContext& context, int step, int adjustment, double base, double x, bool stemUp) {
    const double u = context.geometry.unit();
    const double head = (27 - 1.5 * step - 0.5) * u + base;
    const double y = stemUp ? head + (adjustment * 0.5 + kBelowHead) * u : head - (adjustment * 0.5 + kAboveHead) * u;
    return {px(x + kEndLead * u), px(y)};
}

void drawCurve(DrawContext& context, CurveEnd start, CurveEnd end, int middleAdjustment, bool endStemUp) {
    const double u = context.geometry.unit();
    const int x0 = start.x + px(kEndInset * u);
    const int x3 = end.x - px(kEndInset * u);
    if (x0 >= x3) return;
    const int bend = px((middleAdjustment * 0.5 + kRise) * u);
    const int middle = (start.y + end.y) / 2 + (endStemUp ? bend : -bend);
    const int span = x3 - x0;
    context.canvas.bezier({{x0, start.y},
                           {x0 + px((0.48 - 0.005 * middleAdjustment) * span), middle},
                           {x0 + px((0.52 + 0.005 * middleAdjustment) * span), middle},
                           {x3, end.y}});
}

}  // namespace shinofu::render
