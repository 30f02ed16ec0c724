// Titles written vertically down the right edge of the numeric page.
#pragma once

#include <string>

#include "model/song_data.h"
#include "platform/canvas.h"

namespace shinofu::numeric {

enum class VerticalTextKind { Title = 0, Composer = 1 };

struct VerticalTextFrame {
    int pageWidth;
    int pageHeight;
    int columns;       // blocks stacked down the page
    int originX = 0;
    int originY = 0;
};

// Draws the text top to bottom; the font's height may shrink so the text fits its column.
void drawVertText(platform::Canvas& canvas, const VerticalTextFrame& frame, const std::string& text,
                  VerticalTextKind kind, platform::FontDescription font);

}  // namespace shinofu::numeric
