#include "render/staff_drawing.h"

#include <array>

#include "model/key_signature.h"
#include "render/music_codes.h"

namespace shinofu::render {
namespace {

constexpr double kSignFontHeight = 21.0;  // layout units: clef, accidentals, rests, meters
constexpr double kClefRise = 16.5;
constexpr double kMeterRise = 16.0;
// The time signature's left, layout units after the key signature's 3 per accidental: close to the
// signature, so that an accidental on the first note stays clear of it.
constexpr double kMeterLead = 13.0;
constexpr double kMeasureNumberHeight = 5.0;

// Heights above the bottom line, in layout units, of the signature's flats (B E A D G C F) and
// sharps (F C G D A E B).
constexpr std::array<double, 7> kFlatRise = {4.5, 9, 3, 7.5, 1.5, 6, 0};
constexpr std::array<double, 7> kSharpRise = {10.5, 6, 12, 7.5, 3, 9, 4.5};

void drawKeySignature(DrawContext& context, const StaffPlacement& staff) {
    const double u = context.geometry.unit();
    const int key = context.score.song.keySig;
    const int count = model::keyAccidentalCount(key);
    const double base = staff.fClef ? staff.bottomY + 3 * u : staff.bottomY;
    if (key >= 8) {
        for (int e = 1; e <= count; ++e) {
            drawTempSym(context, model::kFlat, base - (kFlatRise[e - 1] + 0.4) * u - 16 * u,
                        staff.leftX + (3 * e + 8) * u + 4 * u);
        }
    } else {
        for (int i = 0; i < count; ++i) {
            drawTempSym(context, model::kSharp, base - kSharpRise[i] * u - kClefRise * u,
                        staff.leftX + (3 * i + 11) * u + 5 * u);
        }
    }
}

void drawMeasureNumbers(DrawContext& context, const StaffPlacement& staff) {
    const double u = context.geometry.unit();
    platform::FontDescription font;
    font.height = px(kMeasureNumberHeight * u);
    font.face = "ＭＳ ゴシック";
    context.canvas.setTextColour(context.view.editBackColor);
    const double topLine = staff.bottomY - 12 * u;
    const int first = context.tables.lineStart[std::min(staff.lineIndex, kLineTableSize)] + context.view.startShift;
    for (int m = 1; m <= context.geometry.measPerLine(); ++m) {
        const double x = u * (context.geometry.headWidth() + (m - 1) * context.geometry.measureWidth() + 3) -
                         context.view.originX;
        context.canvas.text(px(x), px(topLine - 5 * u), std::to_string(first + m - 1), font);
    }
    context.canvas.setTextColour(context.view.drawColor);
}

}  // namespace

void nsLine(DrawContext& context, double x1, double y1, model::Colour colour, double y2, double x2) {
    platform::Pen pen;
    pen.colour = colour;
    pen.width = context.thinPenWidth();
    context.canvas.setPen(pen);
    context.canvas.moveTo(px(x1), px(y1));
    context.canvas.lineTo(px(x2), px(y2));
}

void drawTempSym(DrawContext& context, int kind, double y, double x) {
    static constexpr std::array<std::pair<char, double>, 5> kGlyphs = {
        {{'Q', 5.0}, {'R', 4.5}, {'P', 5.0}, {'S', 5.5}, {'T', 7.0}}};
    if (kind < 0 || kind >= static_cast<int>(kGlyphs.size())) return;
    const auto [code, shift] = kGlyphs[kind];
    context.canvas.setTextColour(context.view.drawColor);
    context.canvas.text(px(x - shift * context.geometry.unit()), px(y), std::string(1, code),
                        context.musicFont(kSignFontHeight, 400));
}

void draw5lines(DrawContext& context, const StaffPlacement& staff) {
    const double u = context.geometry.unit();
    const PageGeometry& g = context.geometry;
    platform::Pen pen;
    pen.colour = context.view.drawColor;
    pen.width = context.thinPenWidth();
    context.canvas.setPen(pen);
    context.canvas.setBrush({context.view.drawColor, false});
    context.canvas.setTextBackground(false, context.view.backColor);
    context.canvas.setTextColour(context.view.drawColor);

    context.canvas.text(px(staff.leftX), px(staff.bottomY - kClefRise * u),
                        std::string(1, static_cast<char>(staff.fClef ? kFClefCode : kGClefCode)),
                        context.musicFont(kSignFontHeight, 400));
    drawKeySignature(context, staff);
    if (staff.firstSystem) {
        const int count = model::keyAccidentalCount(context.score.song.keySig);
        context.canvas.text(px((3 * count + kMeterLead) * u + staff.leftX), px(staff.bottomY - kMeterRise * u),
                            musicText(context.score.meter().glyphCode), context.musicFont(kSignFontHeight, 400));
    }
    context.canvas.setPen(pen);
    const int right = g.barX(g.measPerLine());
    for (int line = 0; line < 5; ++line) {
        const int y = px(staff.bottomY - line * kStaffLineSpacing * u);
        context.canvas.moveTo(px(staff.leftX), y);
        context.canvas.lineTo(right, y);
    }
    for (int m = 1; m <= g.measPerLine(); ++m) {
        context.canvas.moveTo(g.barX(m), px(staff.bottomY));
        context.canvas.lineTo(g.barX(m), px(staff.bottomY - 12 * u));
    }
    if (context.view.showMeasureNumbers) drawMeasureNumbers(context, staff);
}

}  // namespace shinofu::render
