// The signs drawn at a bar line: double bar, final bar, repeat bars and the ending bracket.
#pragma once

#include <array>
#include <optional>

#include "render/draw_context.h"

namespace shinofu::render {

enum class BarSign { Double = 0, Final = 1, EndRepeat = 2, StartRepeat = 3, EndingBracket = 4 };

// What a measure sign of the score draws: a sign at a bar line, a text, or both.
struct SignDrawing {
    std::optional<BarSign> bar;
    bool text;
};
SignDrawing signDrawing(uint8_t kind);

// How far left of the bar line closing a line a sign of the score stands there, in layout units
// (0: none): lastMeasureStart is the score position of the line's last measure.
double closingSignReach(const DrawContext& context, int lastMeasureStart);

// drawBarSign: at the bar closing the measure of the line (the start repeat and the ending bracket
// at the bar opening it), moved dx pixels right and dy down; returns the sign's rectangle, none for
// the bracket.
std::optional<std::array<int, 4>> drawBarSign(DrawContext& context, int measure, double base, BarSign sign, int dx = 0,
                                              int dy = 0);

}  // namespace shinofu::render
