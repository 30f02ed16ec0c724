// The highlight behind the measure being edited (drawEditMeas), its grid, and the cleared form
// measure editing shows (clearEditMeas).
#pragma once

#include "render/draw_context.h"

namespace shinofu::render {

void drawEditMeas(DrawContext& context, const EditHighlight& edit);

}  // namespace shinofu::render
