// Lyrics under their notes (drawLyric), one overlay-symbol height below the fingering numerals.
#pragma once

#include "render/page_drawer.h"

namespace shinofu::render {

class LyricLayer : public PageLayers {
public:
    void noteDrawn(DrawContext& context, const PlacedNote& placed) override;
};

}  // namespace shinofu::render
