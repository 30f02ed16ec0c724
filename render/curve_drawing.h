// Ties and slurs as cubic Bézier curves between two note heads.
#pragma once

#include "render/draw_context.h"

namespace shinofu::render {

struct CurveEnd {
    int x;
    int y;
};

// procSlur0: where a curve meets a note at unrounded x and step, below the head when the stem is up,
// above it when it is down; the adjustment moves it away from the head in half layout units.
CurveEnd procSlur0(const DrawContext& context, int step, int adjustment, double base, double x, bool stemUp);

// The curve from start to end, bending below (the end note's stem up) or above by the middle adjustment.
void drawCurve(DrawContext& context, CurveEnd start, CurveEnd end, int middleAdjustment, bool endStemUp);

}  // namespace shinofu::render
