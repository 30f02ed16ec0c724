// The highlight behind the measure being edited (drawEditMeas), its grid, the cleared form
// measure editing shows (clearEditMeas), and the tint of a measure that does not add up.
#pragma once

#include "render/draw_context.h"

namespace shinofu::render {

void drawEditMeas(DrawContext& context, const EditHighlight& edit);

// A measure whose notes run past its bar line: a light red ground behind it.
constexpr model::Colour kOverfullTint = 0xD8D8FF;
void drawMeasureTint(DrawContext& context, const EditHighlight& where, model::Colour colour);

}  // namespace shinofu::render
