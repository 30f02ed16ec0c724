#include "numeric/fingering_overlay.h"

#include <algorithm>

#include "numeric/fingering.h"
#include "render/clear_place.h"

namespace shinofu::numeric {
namespace {

constexpr const char* kMeriMark = "x";
constexpr const char* kOverlayFace = "ＭＳ ゴシック";
constexpr double kHeadClearance = 1.0;  // layout units between a low head and the numerals under it

// Layout units below the staff base of the lowest note head from the first note drawn in a measure
// to the measure's end; the numerals of the measure keep clear of it (and so of its ledger lines,
// which lie above a low head's bottom).
double lowestHeadInMeasure(const render::DrawContext& context, const render::PlacedNote& placed) {
    const model::TNote* note = &placed.note;
    int position = placed.spot.position - 1;
    const int measureLen = context.score.measureLen();
    double lowest = 0;
    for (; note && !note->isEndMarker() && position < measureLen; note = note->next) {
        if (model::isStaffPitch(note->pitch)) {
            const int step = render::PageGeometry::stepIndex(note->pitch, placed.spot.fClef);
            lowest = std::max(lowest, 9 + (render::kBottomLineStep + 1 - step) * render::kStaffStep);
        }
        position += note->len;
    }
    return lowest;
}

}  // namespace

void putNumScore(render::DrawContext& context, const model::TNote& note, const render::NoteSpot& spot, double x,
                 int variant, double lowestHead) {
    const double u = context.geometry.unit();
    const model::NumericSettings& settings = context.score.numeric;
    const double h = settings.numSizeRatio * u;
    double y = context.geometry.staffBase(spot.row) + (variant == 1 ? 1.5 * h : 0.0);
    y += std::max(3 * settings.numDrop, lowestHead + kHeadClearance) * u;
    const Numeral numeral =
        numeralOf(note.pitch, note.effAccidental, context.score.song.fluteKey, context.score.song.keySig);
    platform::FontDescription font;
    font.height = render::px(h);
    font.weight = settings.numBold ? 700 : 400;
    font.face = kOverlayFace;
    render::placeClear(context, render::InkKind::Numeral, render::Away::Down,
                       [&](render::DrawContext& target, int dx, int dy) {
        platform::Canvas& canvas = target.canvas;
        canvas.setTextColour(target.view.drawColor);
        canvas.setTextBackground(false, target.view.backColor);
        const std::string symbol = drawnSymbol(numeral.symbol);
        const int left = render::px(x) + dx;
        const int top = render::px(y) + dy;
        canvas.text(left, top, symbol, font);
        if (hasMeriMark(numeral.symbol)) {
            canvas.text(left + canvas.textWidth(symbol, font) - render::px(0.3 * h), top - render::px(0.8 * h), kMeriMark, font);
        }
        if (hasOctaveDot(numeral.index)) {
            canvas.setPen({target.view.drawColor, 1, platform::PenStyle::Solid, platform::RasterMode::Copy});
            canvas.setBrush({target.view.drawColor, false});
            canvas.ellipse(render::px(x + 0.4 * h) + dx, render::px(y - 0.2 * h) + dy, render::px(x + 0.6 * h) + dx,
                           render::px(y) + dy);
            canvas.setBrush({0, true});
        }
    });
}

double FingeringOverlay::lowestHead(const render::DrawContext& context, const render::PlacedNote& placed) {
    const MeasureKey key{placed.part, placed.spot.row, placed.spot.measure};
    if (!measure_ || !(key == *measure_)) {
        measure_ = key;
        measureLowest_ = lowestHeadInMeasure(context, placed);
    }
    return measureLowest_;
}

void FingeringOverlay::pageDrawn(render::DrawContext&, int) { measure_.reset(); }

void FingeringOverlay::noteDrawn(render::DrawContext& context, const render::PlacedNote& placed) {
    const model::TNote& note = placed.note;
    if (!model::isStaffPitch(note.pitch)) return;
    if (note.tie == model::kRoleEnd || note.tie == model::kRoleEndAndStart) return;  // a tied continuation
    const int index = placed.part - 1;
    if (context.tables.chorusCount == 0) {
        if (context.view.numericOverlay[index]) {
            putNumScore(context, note, placed.spot, placed.x, 0, lowestHead(context, placed));
        }
    } else if (context.view.chorusNumeric) {
        putNumScore(context, note, placed.spot, placed.x, placed.part % 2 == 0 ? 1 : 0,
                    lowestHead(context, placed));
    }
}

}  // namespace shinofu::numeric
