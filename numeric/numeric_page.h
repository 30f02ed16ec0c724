// The numeric score page (数字譜) of the current part, drawn instead of the staff page.
#pragma once

#include "model/colour.h"
#include "model/score.h"
#include "platform/canvas.h"
#include "render/note_tints.h"

namespace shinofu::numeric {

struct NumericPageFrame {
    int width;   // pixels of the page: the view image, the exported picture or the printable area
    int height;
    int originX = 0;
    int originY = 0;
    model::Colour backColor = 0xFFFFFF;
    model::Colour drawColor = 0x000000;
    bool clear = true;
    const render::NoteTints* tints = nullptr;  // symbols drawn in colours of their own
};

// effAccidental must be current (the performance pass keeps it so).
void drawNumPage(platform::Canvas& canvas, const model::Score& score, const NumericPageFrame& frame);

// What a picture of the page needs, measured without drawing: its left edge (the picture's origin
// then) and its height, each with a 24-pixel border.
struct NumericPictureExtent {
    int left;
    int height;
};
NumericPictureExtent measureNumPage(const model::Score& score, const NumericPageFrame& frame);

}  // namespace shinofu::numeric
