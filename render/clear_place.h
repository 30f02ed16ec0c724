// Placing an item clear of the page's ink: the item is drawn once on a measuring canvas to learn
// its ink, moved the least distance its way that keeps it clear, and drawn there. An item that is
// already clear is drawn exactly where its formula puts it.
#pragma once

#include "render/draw_context.h"
#include "render/ink_canvas.h"

namespace shinofu::render {

// draw(context, dx, dy) draws the item moved by (dx, dy) pixels; it is called twice, the first time
// with context.measuring set, when it must leave no other trace (hit-test bounds and the like).
// start(box) may name where an item in the way begins to look for room (pixels its way).
template <typename Draw, typename Start>
void placeClear(DrawContext& context, InkKind kind, Away away, Draw draw, Start start) {
    if (!context.ink) {
        draw(context, 0, 0);
        return;
    }
    context.beginItem(kind);  // before asking: the item before it is an obstacle like any other
    InkCanvas measure(*context.ink, true);
    DrawContext dry{measure, context.score, context.view, context.tables, context.geometry, nullptr, true};
    draw(dry, 0, 0);
    int dx = 0;
    int dy = 0;
    if (!measure.ink().empty()) {
        const Box box = measure.extent();
        int shift = context.clearShift(box, away, start(box));
        if (shift == 0 && away != Away::Right && context.ink->overlaps(box)) {
            // No room its way within reach (a crowded page): the other side of its place, if there is room there.
            away = away == Away::Up ? Away::Down : Away::Up;
            shift = context.clearShift(box, away);
        }
        (away == Away::Right ? dx : dy) = away == Away::Up ? -shift : shift;
    }
    draw(context, dx, dy);
}

template <typename Draw>
void placeClear(DrawContext& context, InkKind kind, Away away, Draw draw) {
    placeClear(context, kind, away, draw, [](const Box&) { return 0; });
}

// Above or below the staff: the way a mark or text gives way, from where its ink's middle lies
// against the staff's middle line.
inline Away awayFromStaff(const DrawContext& context, int top, int bottom, double staffBase) {
    return top + bottom < 2 * (staffBase + 3 * context.geometry.unit()) ? Away::Up : Away::Down;
}

}  // namespace shinofu::render
