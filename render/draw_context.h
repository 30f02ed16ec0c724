// What every drawing routine of a page reads: the canvas, the score, the view and the layout.
#pragma once

#include <optional>

#include "model/score.h"
#include "platform/canvas.h"
#include "render/ink_canvas.h"
#include "render/page_geometry.h"
#include "render/page_tables.h"
#include "render/view_state.h"

namespace shinofu::render {

struct DrawContext {
    platform::Canvas& canvas;
    const model::Score& score;
    const ViewState& view;
    const PageTables& tables;
    PageGeometry& geometry;
    InkCanvas* ink = nullptr;  // the page's ink so far, when the drawing keeps placed items clear
    bool measuring = false;    // an item drawn only to learn its ink: no hit-test bounds

    // The ink drawn from now on is a new item of this kind.
    void beginItem(InkKind kind) const {
        if (ink) ink->beginItem(kind);
    }
    // The items drawn from now on belong to this staff row of the page (0: the nearest to their ink).
    void atRow(int row) const {
        if (ink) ink->rowHint(row);
    }
    // The least move its way, from start pixels on, that keeps a placed item's box clear of the ink
    // before it; none within reach (or without ink).
    std::optional<int> roomToward(const Box& box, Away away, int start) const;

    int glyphBase() const;
    // The music font at a height in layout units.
    platform::FontDescription musicFont(double layoutHeight, int weight = 0) const;
    // The thin-line pen: round(0.35 × unit), at least one pixel.
    int thinPenWidth() const;
};

}  // namespace shinofu::render
