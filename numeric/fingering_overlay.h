// The fingering numerals drawn under the notes of the staff page (putNumScore).
#pragma once

#include <optional>

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
    void pageDrawn(render::DrawContext& context, int pageEnd) override;

private:
    // The lowest head of the measure being drawn, found at its first note: a page draws each part's
    // notes in order, so a measure is one run of notes.
    double lowestHead(const render::DrawContext& context, const render::PlacedNote& placed);
    struct MeasureKey {
        int part = 0;
        int row = 0;
        int measure = 0;
        bool operator==(const MeasureKey&) const = default;
    };
    std::optional<MeasureKey> measure_;
    double measureLowest_ = 0;
};

}  // namespace shinofu::numeric
