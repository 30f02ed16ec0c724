#include "render/bar_signs.h"

#include <algorithm>

#include "render/page_geometry.h"

namespace shinofu::render {
namespace {

// Layout units left of the closing bar line (right of the opening one for a start repeat).
constexpr double kDoubleBarGap = 1.5;
constexpr double kFinalThinLine = 3.0;
constexpr double kRepeatThinLine = 2.4;
constexpr double kRepeatThickBar = 1.2;
constexpr double kRepeatDotNear = 2.8;
constexpr double kRepeatDotFar = 4.2;
// Dots in the second and third spaces, from the top line.
constexpr double kUpperDotTop = 3.7;
constexpr double kUpperDotBottom = 5.1;
constexpr double kLowerDotTop = 6.7;
constexpr double kLowerDotBottom = 8.1;
constexpr double kBoundsHalfWidth = 3.0;
constexpr double kBracketFoot = 1.0;  // the bracket's leg stops this far above the top line
constexpr double kBracketInset = 3.0; // the bracket ends short of the next bar

}  // namespace

SignDrawing signDrawing(uint8_t kind) {
    switch (kind) {
    case model::kStop: return {BarSign::Final, false};
    case model::kDaCapo:
    case model::kDalSegno:
    case model::kFine:
    case model::kToCoda: return {BarSign::Double, true};
    case model::kSegno:
    case model::kCoda: return {std::nullopt, true};
    case model::kRepeatRight: return {BarSign::EndRepeat, false};
    case model::kRepeatLeft: return {BarSign::StartRepeat, false};
    case model::kFirstEnding:
    case model::kSecondEnding: return {BarSign::EndingBracket, true};
    default: return {std::nullopt, false};
    }
}

double closingSignReach(const DrawContext& context, int lastMeasureStart) {
    double reach = 0;
    for (int part = 1; part <= context.score.partCount; ++part) {
        if (!context.score.part(part).visible) continue;
        for (const model::TScoreSym& symbol : context.score.part(part).symbols) {
            if (symbol.kind == model::kPlainText || symbol.anchorPos != lastMeasureStart) continue;
            const std::optional<BarSign> bar = signDrawing(symbol.kind).bar;
            if (bar == BarSign::EndRepeat) reach = std::max(reach, kRepeatDotFar);
            if (bar == BarSign::Final) reach = std::max(reach, kFinalThinLine);
            if (bar == BarSign::Double) reach = std::max(reach, kDoubleBarGap);
        }
    }
    return reach;
}

std::optional<std::array<int, 4>> drawBarSign(DrawContext& context, int measure, double base, BarSign sign, int dx,
                                              int dy) {
    const PageGeometry& g = context.geometry;
    const double u = g.unit();
    const bool opening = sign == BarSign::StartRepeat || sign == BarSign::EndingBracket;
    const int barX =
        px(u * (g.headWidth() + (opening ? measure - 1 : measure) * g.measureWidth()) - context.view.originX) + dx;
    const double topLine = base - 3 * u;
    const int top = px(topLine);
    const int bottom = px(base + 9 * u);
    platform::Pen pen;
    pen.colour = context.view.drawColor;
    context.canvas.setPen(pen);
    context.canvas.setBrush({context.view.drawColor, false});
    auto thin = [&](int x) {
        context.canvas.moveTo(x, top);
        context.canvas.lineTo(x, bottom);
        return x;
    };
    auto thickBar = [&](int left, int right) {
        context.canvas.polygon({{left, top}, {right, top}, {right, bottom}, {left, bottom}});
    };
    auto dots = [&](int left, int right) {
        context.canvas.ellipse(left, px(topLine + kUpperDotTop * u), right, px(topLine + kUpperDotBottom * u));
        context.canvas.ellipse(left, px(topLine + kLowerDotTop * u), right, px(topLine + kLowerDotBottom * u));
    };
    int thinX = barX;
    switch (sign) {
    case BarSign::Double: thinX = thin(px(barX - kDoubleBarGap * u)); break;
    case BarSign::Final:
        thinX = thin(px(barX - kFinalThinLine * u));
        thickBar(px(barX - kDoubleBarGap * u), barX);
        break;
    case BarSign::EndRepeat:
        thinX = thin(px(barX - kRepeatThinLine * u));
        thickBar(px(barX - kRepeatThickBar * u), barX);
        dots(px(barX - kRepeatDotFar * u), px(barX - kRepeatDotNear * u));
        break;
    case BarSign::StartRepeat:
        thickBar(barX, px(barX + kRepeatThickBar * u));
        thinX = thin(px(barX + kRepeatThinLine * u));
        dots(px(barX + kRepeatDotNear * u), px(barX + kRepeatDotFar * u));
        break;
    case BarSign::EndingBracket: {
        const int height = px(topLine - (1.3 * context.score.numeric.numSizeRatio + 1.5) * u) + dy;
        context.canvas.moveTo(barX, px(topLine - kBracketFoot * u) + dy);
        context.canvas.lineTo(barX, height);
        context.canvas.lineTo(barX + px(u * (g.measureWidth() - kBracketInset)), height);
        return std::nullopt;
    }
    }
    const int half = px(kBoundsHalfWidth * u);
    return std::array<int, 4>{thinX - half, top, thinX + half, bottom};
}

}  // namespace shinofu::render
