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

std::optional<int> DrawContext::roomToward(const Box& box, Away away, int start) const {
    if (!ink) return std::nullopt;
    // Far enough to leave a beam's or a staff's reach, or another item of its own size; past that
    // the formula's place is kept.
    const double u = geometry.unit();
    const int size = away == Away::Right ? box.right - box.left : box.bottom - box.top;
    const int limit = static_cast<int>(std::lround(30 * u)) + 2 * size;
    const std::optional<int> shift = ink->shiftToClear(box.movedToward(away, start), away, clearanceGap(u), limit);
    if (!shift) return std::nullopt;
    return start + *shift;
}

}  // namespace shinofu::render
