#include "render/note_drawing.h"

#include <optional>

#include "render/music_codes.h"
#include "render/staff_drawing.h"

namespace shinofu::render {
namespace {

constexpr double kNoteFontHeight = 24.0;  // layout units: notes and dots
constexpr double kRestFontHeight = 21.0;
// Glyph cell tops relative to the bottom line and the step offset, in layout units.
constexpr double kStemUpCell = 30.02;
constexpr double kStemDownCell = 19.82;
constexpr double kLineDotCell = 31.72;
constexpr double kAccidentalCell = 17.0;
constexpr double kAccidentalShift = 1.1;
constexpr double kRestLead = 8.0;
constexpr double kRestCell = 7.5;

bool isBeamed(const model::TNote& note) { return note.beam != model::kNoRole; }

void drawLedgerLines(DrawContext& context, int step, double x, double base) {
    const double u = context.geometry.unit();
    const double right = x + (context.glyphBase() == kLargeGlyphBase ? 5.0 : 6.0) * u;
    const double left = x - 1.5 * u;
    auto ledger = [&](double y) { nsLine(context, left, y, context.view.drawColor, y, right); };
    // At most three on either side, however far the note lies.
    if (step <= 8) ledger(base + 12 * u);
    if (step <= 6) ledger(base + 15 * u);
    if (step <= 4) ledger(base + 18 * u);
    if (step >= 20) ledger(base - 6 * u);
    if (step >= 22) ledger(base - 9 * u);
    if (step >= 24) ledger(base - 12 * u);
}

}  // namespace

std::optional<int> noteGlyphOffset(const model::TNote& note) {
    const bool up = note.stemUp;
    switch (note.len) {
    case 48: return kWholeNote;
    case 24:
    case 36: return up ? kHalfUp : kHalfDown;
    case 16:
        if (note.triplet != model::kNoRole) return up ? kHalfUp : kHalfDown;
        break;
    case 12:
    case 18:
    case 8: return up ? kQuarterUp : kQuarterDown;
    default: break;
    }
    if (isBeamed(note)) return kBeamedHead;
    switch (note.len) {
    case 6:
    case 9:
    case 4: return up ? kEighthUp : kEighthDown;
    case 3:
    case 2: return up ? kSixteenthUp : kSixteenthDown;
    default: return std::nullopt;
    }
}

std::optional<char> restGlyph(int len, int meterIndex) {
    constexpr int kThreeEight = 3;
    constexpr int kSixEight = 4;
    switch (len) {
    case 3: return 'K';
    case 6: return 'J';
    case 12: return '?';
    case 18:
        if (meterIndex == kThreeEight) return '=';
        return std::nullopt;
    case 24: return '>';
    case 36: return meterIndex == kSixEight ? '=' : '>';
    case 48: return '=';
    default: return std::nullopt;
    }
}

double drawOnpu(DrawContext& context, const model::TNote& note, const NoteSpot& spot) {
    const PageGeometry& g = context.geometry;
    const double u = g.unit();
    const int step = PageGeometry::stepIndex(note.pitch, spot.fClef);
    const double offset = g.stepOffset(step);
    const double x = g.noteX(spot.measure, spot.position - 1);
    const double base = g.staffBase(spot.row);
    const int bottom = px(base + 9 * u);
    const int stemUpY = bottom + px(offset - kStemUpCell * u);
    const int stemDownY = bottom + px(offset - kStemDownCell * u);
    const int lineDotY = bottom + px(offset - kLineDotCell * u);

    context.canvas.setTextColour(context.view.drawColor);
    auto glyph = noteGlyphOffset(note);
    drawLedgerLines(context, step, x, base);
    if (glyph) {
        const bool upPlacement = note.stemUp || isBeamed(note) || *glyph == kWholeNote;
        context.canvas.text(px(x), upPlacement ? stemUpY : stemDownY, musicText(context.glyphBase() + *glyph),
                            context.musicFont(kNoteFontHeight));
    }
    if (note.len == 9 || note.len == 18 || note.len == 36) {
        // On a line the dot moves up into the space above.
        context.canvas.text(px(x), step % 2 ? stemUpY : lineDotY, std::string(1, static_cast<char>(kDotCode)),
                            context.musicFont(kNoteFontHeight));
    }
    if (note.accidental != model::kNoAccidental) {
        drawTempSym(context, note.accidental, base + offset - kAccidentalCell * u, x + kAccidentalShift * u);
    }
    return x;
}

void drawRest(DrawContext& context, const model::TNote& note, const NoteSpot& spot) {
    const PageGeometry& g = context.geometry;
    const double u = g.unit();
    auto glyph = restGlyph(note.len, context.score.song.meterIndex);
    if (!glyph) return;
    double x = g.noteX(spot.measure, spot.position - 1) + (kRestLead - kNoteLead) * u;
    // A whole-measure rest stands in the middle of its measure wherever it starts.
    if (*glyph == '=') x = g.noteX(spot.measure, 0) + (kRestLead - kNoteLead) * u + g.measureWidth() * u / 2 - 10 * u;
    if (*glyph == '>') x += 4 * g.sixteenthWidth() * u - 10 * u;
    context.canvas.setTextColour(context.view.drawColor);
    context.canvas.text(px(x), px(g.staffBase(spot.row) - kRestCell * u), std::string(1, *glyph),
                        context.musicFont(kRestFontHeight));
}

}  // namespace shinofu::render
