// The six song-data texts of part 1 (title, lyricist, composer, tempo, metronome mark, flute key)
// drawn on the first page at their offsets.
#pragma once

#include "render/page_drawer.h"

namespace shinofu::render {

class SongDataSymbols : public PageLayers {
public:
    void pageDrawn(DrawContext& context, int pageEnd) override;
};

// The font a symbol's text is drawn with: its size scaled to the view, its face by index.
platform::FontDescription symbolFont(const DrawContext& context, const model::SymbolFields& symbol);

}  // namespace shinofu::render
