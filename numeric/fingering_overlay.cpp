#include "numeric/fingering_overlay.h"

#include "numeric/fingering.h"

namespace shinofu::numeric {
namespace {

constexpr const char* kMeriMark = "x";
constexpr const char* kOverlayFace = "ＭＳ ゴシック";

}  // namespace

void putNumScore(render::DrawContext& context, const model::TNote& note, const render::NoteSpot& spot, double x,
                 int variant) {
    const double u = context.geometry.unit();
    const model::NumericSettings& settings = context.score.numeric;
    const double h = settings.numSizeRatio * u;
    double y = context.geometry.staffBase(spot.row) + (variant == 1 ? 1.5 * h : 0.0);
    y += 3 * settings.numDrop * u;
    const Numeral numeral =
        numeralOf(note.pitch, note.effAccidental, context.score.song.fluteKey, context.score.song.keySig);
    platform::FontDescription font;
    font.height = render::px(h);
    font.weight = settings.numBold ? 700 : 400;
    font.face = kOverlayFace;
    context.canvas.setTextColour(context.view.drawColor);
    context.canvas.setTextBackground(false, context.view.backColor);
    const std::string symbol = baseSymbol(numeral.symbol);
    const int left = render::px(x);
    const int top = render::px(y);
    context.canvas.text(left, top, symbol, font);
    if (hasMeriMark(numeral.symbol)) {
        context.canvas.text(left + context.canvas.textWidth(symbol, font) - render::px(0.3 * h),
                            top - render::px(0.8 * h), kMeriMark, font);
    }
    if (hasOctaveDot(numeral.index)) {
        context.canvas.setPen({context.view.drawColor, 1, platform::PenStyle::Solid, platform::RasterMode::Copy});
        context.canvas.setBrush({context.view.drawColor, false});
        context.canvas.ellipse(render::px(x + 0.4 * h), render::px(y - 0.2 * h), render::px(x + 0.6 * h), render::px(y));
        context.canvas.setBrush({0, true});
    }
}

void FingeringOverlay::noteDrawn(render::DrawContext& context, const render::PlacedNote& placed) {
    const model::TNote& note = placed.note;
    if (!model::isStaffPitch(note.pitch)) return;
    if (note.tie == model::kRoleEnd || note.tie == model::kRoleEndAndStart) return;  // a tied continuation
    const int index = placed.part - 1;
    if (context.tables.chorusCount == 0) {
        if (context.view.numericOverlay[index]) putNumScore(context, note, placed.spot, placed.x, 0);
    } else if (context.view.chorusNumeric) {
        putNumScore(context, note, placed.spot, placed.x, placed.part % 2 == 0 ? 1 : 0);
    }
}

}  // namespace shinofu::numeric
