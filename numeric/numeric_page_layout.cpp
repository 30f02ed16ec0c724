#include "numeric/numeric_page_layout.h"

#include <algorithm>
#include <array>

namespace shinofu::numeric {

model::Colour numericColour(int choice) {
    static constexpr std::array<model::Colour, 16> kColours = {
        0x000000, 0x808080, 0x808080, 0xC0C0C0, 0x800000, 0xFF0000, 0xFFFF00, 0x00FF00,
        0x008000, 0x808000, 0x00FFFF, 0x800080, 0x000080, 0xFF00FF, 0x0000FF, 0xFFFFFF};
    return kColours[choice >= 0 && choice < 16 ? choice : 0];
}

double numericSymbolRatio(int sizeChoice) {
    static constexpr std::array<double, 5> kRatios = {0.6, 0.5, 0.4, 0.3, 0.2};
    return kRatios[sizeChoice >= 0 && sizeChoice < 5 ? sizeChoice : 2];
}

NumericPageLayout numericPageLayout(const model::Score& score, int part, int pageWidth, int pageHeight) {
    const model::NumericSettings& settings = score.numeric;
    NumericPageLayout layout{};
    // The file allows any positive counts; the page needs at least one of each.
    layout.tiers = std::max(1, settings.tiers);
    layout.rows = std::max(1, settings.rows);
    layout.columns = std::max(1, settings.columns);
    const int meter = score.song.meterIndex;
    layout.cellUnits = meter == 3 || meter == 4 ? 6 : 12;
    layout.stripLen = layout.rows * layout.cellUnits;
    layout.blockLen = layout.tiers * layout.stripLen;
    model::forEachNote(score.part(part).partHead, [&](const model::TNote& note) { layout.total += note.len; });
    layout.fullBlocks = layout.total / layout.blockLen;
    layout.lastStrips = layout.total % layout.blockLen / layout.stripLen;
    layout.cellW = static_cast<double>(pageWidth - 2 * kNumMarginX) / layout.tiers;
    layout.cellH = static_cast<double>(pageHeight - (layout.columns + 1) * kNumMarginY) / (layout.rows * layout.columns);
    return layout;
}

NumericPageLayout::Place NumericPageLayout::placeOf(int position) const {
    const int fromRight = position % blockLen / stripLen;
    return {position / blockLen, tiers - fromRight - 1, position % stripLen};
}

}  // namespace shinofu::numeric
