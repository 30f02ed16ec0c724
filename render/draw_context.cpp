#include "render/draw_context.h"

#include <algorithm>

#include "render/music_codes.h"

namespace shinofu::render {

constexpr double kThinLine = 0.35;  // layout units

int DrawContext::glyphBase() const { return score.largeNoteHeads ? kLargeGlyphBase : kSmallGlyphBase; }

platform::FontDescription DrawContext::musicFont(double layoutHeight, int weight) const {
    platform::FontDescription font;
    font.height = px(layoutHeight * geometry.unit());
    font.weight = weight;
    font.face = kMusicFace;
    return font;
}

int DrawContext::thinPenWidth() const { return std::max(1, px(kThinLine * geometry.unit())); }

}  // namespace shinofu::render
