// The mark layer (drawMarks): dynamics, breath, fermata, rit., a tempo and other texts at their
// notes, and hairpins between a start mark and the mark after it.
#pragma once

#include "render/item_bounds.h"
#include "render/page_drawer.h"

namespace shinofu::render {

class MarkLayer : public PageLayers {
public:
    void pageDrawn(DrawContext& context, int pageEnd) override;
    // Every mark drawn on the page, where it was drawn.
    const PageItems& items() const { return items_; }

private:
    void drawText(DrawContext& context, int part, int index);
    void drawHairpin(DrawContext& context, int part, int index, int pageEnd);

    PageItems items_;
};

}  // namespace shinofu::render
