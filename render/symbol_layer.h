// The symbol layer (drawSymbols): the six song-data texts of part 1 on the first page, free texts
// on their pages, and the repeat, navigation and ending signs at their measures.
#pragma once

#include "render/item_bounds.h"
#include "render/page_drawer.h"

namespace shinofu::render {

class SymbolLayer : public PageLayers {
public:
    void pageDrawn(DrawContext& context, int pageEnd) override;
    // Every symbol drawn on the page, where it was drawn.
    const PageItems& items() const { return items_; }

private:
    void drawSongData(DrawContext& context);
    void drawSign(DrawContext& context, int part, int index);
    // One symbol's text with its top-left at (x, y), and where it was drawn.
    void drawText(DrawContext& target, int part, int index, int x, int y);

    PageItems items_;
};

// The font a symbol's text is drawn with: its size scaled to the view, its face by index.
platform::FontDescription symbolFont(const DrawContext& context, const model::SymbolFields& symbol);

}  // namespace shinofu::render
