#include "render/draw_context.h"

#include <algorithm>
#include <cmath>

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

int DrawContext::clearShift(const Box& box, Away away) const {
    if (!ink) return 0;
    // Far enough for a mark to leave a beam's reach; past that the formula's place is kept.
    const double u = geometry.unit();
    return ink->clearShift(box, away, clearanceGap(u), static_cast<int>(std::lround(30 * u)));
}

}  // namespace shinofu::render
