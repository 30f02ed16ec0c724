// The fingering numerals drawn under the notes of the staff page (putNumScore).
#pragma once

#include "render/page_drawer.h"

namespace shinofu::numeric {

// Draws one numeral under a note at its x; variant 1 is the lower place of a chorus pair's even part.
// The numeral stays below lowestHead (layout units under the staff base), the lowest head of its measure.
void putNumScore(render::DrawContext& context, const model::TNote& note, const render::NoteSpot& spot, double x,
                 int variant, double lowestHead = 0);

// The staff page layer that puts numerals under the notes of the parts whose overlay is on.
class FingeringOverlay : public render::PageLayers {
public:
    void noteDrawn(render::DrawContext& context, const render::PlacedNote& placed) override;
};

}  // namespace shinofu::numeric
