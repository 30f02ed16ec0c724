// Placing an item clear of the page's ink: the item is drawn once on a measuring canvas to learn
// its ink, moved the least distance its way that keeps it clear, and drawn there. An item that is
// already clear is drawn exactly where its formula puts it.
#pragma once

#include <concepts>
#include <optional>

#include "render/draw_context.h"
#include "render/ink_canvas.h"

namespace shinofu::render {

// Where an item in the way goes: its way, and where it begins to look for room (pixels its way).
struct GiveWay {
    Away away;
    int start = 0;
};

// draw(context, dx, dy) draws the item moved by (dx, dy) pixels; it is called twice, the first time
// with context.measuring set, when it must leave no other trace (hit-test bounds and the like).
// way(box) tells, from the ink the item would leave, where it goes if it is in the way.
template <typename Way, typename Draw>
    requires std::invocable<Way, const Box&>
void placeClear(DrawContext& context, InkKind kind, Way way, Draw draw) {
    if (!context.ink) {
        draw(context, 0, 0);
        return;
    }
    context.beginItem(kind);  // before asking: the item before it is an obstacle like any other
    InkCanvas measure(*context.ink, InkCanvas::Mode::Measure);
    DrawContext dry{measure, context.score, context.view, context.tables, context.geometry, nullptr, true};
    draw(dry, 0, 0);
    Box moved;
    const Box box = measure.extent();
    if (!measure.ink().empty()) context.ink->setHome(box);
    if (!measure.ink().empty() && context.ink->overlaps(box)) {
        const GiveWay give = way(box);
        std::optional<int> shift = context.roomToward(box, give.away, give.start);
        Away away = give.away;
        if (!shift && away != Away::Right) {
            // No room its way within reach (a crowded page): the other side of its staff, if there is room there.
            away = away == Away::Up ? Away::Down : Away::Up;
            shift = context.roomToward(box, away, context.ink->pastOwnStaff(box, away, clearanceGap(context.geometry.unit())));
        }
        if (shift) {
            moved = Box{}.movedToward(away, *shift);
            context.ink->gaveWay();
        } else {
            context.ink->foundNoRoom();
        }
    }
    draw(context, moved.left, moved.top);
}

template <typename Draw>
void placeClear(DrawContext& context, InkKind kind, Away away, Draw draw) {
    placeClear(context, kind, [away](const Box&) { return GiveWay{away}; }, draw);
}

// Above or below the staff: the way a mark or text gives way, from where its ink's middle lies
// against the staff's middle line.
inline Away awayFromStaff(const DrawContext& context, const Box& ink, double staffBase) {
    return ink.top + ink.bottom < 2 * (staffBase + kStaffLineSpacing * context.geometry.unit()) ? Away::Up : Away::Down;
}

}  // namespace shinofu::render
