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

int DrawContext::clearShift(const Box& box, Away away, int start) const {
    if (!ink || !ink->overlaps(box)) return 0;
    // Far enough to leave a beam's or a staff's reach, or another item of its own size; past that
    // the formula's place is kept.
    const double u = geometry.unit();
    const Box from = away == Away::Right ? box.moved(start, 0) : box.moved(0, away == Away::Up ? -start : start);
    const int size = away == Away::Right ? box.right - box.left : box.bottom - box.top;
    const int limit = static_cast<int>(std::lround(30 * u)) + 2 * size;
    const std::optional<int> shift = ink->shiftToClear(from, away, clearanceGap(u), limit);
    return shift ? start + *shift : 0;
}

}  // namespace shinofu::render
