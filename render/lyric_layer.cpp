#include "render/lyric_layer.h"

#include "render/anchored_place.h"
#include "render/clear_place.h"
#include "render/drawn_text.h"

namespace shinofu::render {
namespace {

constexpr const char* kLyricFace = "ＭＳ ゴシック";

}  // namespace

void LyricLayer::noteDrawn(DrawContext& context, const PlacedNote& placed) {
    const model::TNote& note = placed.note;
    if (note.lyric.empty() || !model::isStaffPitch(note.pitch)) return;
    const model::NumericSettings& numeric = context.score.numeric;
    const double u = context.geometry.unit();
    platform::FontDescription font;
    font.face = kLyricFace;
    font.height = px(numeric.numSizeRatio * u);
    font.weight = numeric.numBold ? 700 : 400;
    // The second voice of a chorus pair shares the staff: its lyrics take the line below the first's.
    const int ordinal = visibleOrdinal(context.score, placed.part);
    const bool secondVoice = ordinal <= 2 * context.tables.chorusCount && ordinal % 2 == 0;
    const double drop = 3 * numeric.numDrop + numeric.numSizeRatio * (secondVoice ? 2 : 1);
    const int y = px(context.geometry.staffBase(placed.spot.row) + drop * u);
    placeClear(context, InkKind::Lyric, Away::Down, [&](DrawContext& target, int dx, int dy) {
        target.canvas.setTextColour(target.view.drawColor);
        target.canvas.text(px(placed.x) + dx, y + dy, drawnText(note.lyric), font);
    });
}

}  // namespace shinofu::render
