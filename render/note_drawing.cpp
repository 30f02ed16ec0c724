#include "render/note_drawing.h"

#include <optional>

#include "render/curve_drawing.h"
#include "render/length_signs.h"
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
// A stem-up flag reaches down beside the head: the dot moves right past it (layout units).
constexpr double kFlagClearance = 2.4;
// A rest's dot: its left edge this far right of the rest, its centre in the third space.
constexpr double kRestDotGap = 0.8;
constexpr double kDotInCell = 5.25;     // layout units from the dot cell's left to the dot
constexpr double kDotCellToCentre = 18.72;
// Widths of the rest signs, layout units.
constexpr double kWideRestWidth = 4.8;   // whole and half rests
constexpr double kNarrowRestWidth = 3.6;

bool isBeamed(const model::TNote& note) { return note.beam != model::kNoRole; }
bool isDotted(int len) { return len == 9 || len == 18 || len == 36; }

// Every ledger line between the staff and the note: through the head on a line, under (or over)
// it in a space.
void drawLedgerLines(DrawContext& context, int step, double x, double base) {
    const double u = context.geometry.unit();
    const double right = x + (context.glyphBase() == kLargeGlyphBase ? 5.0 : 6.0) * u;
    const double left = x - 1.5 * u;
    const double bottomLine = base + 9 * u;
    auto ledger = [&](int lineStep) {
        const double y = bottomLine - (lineStep - kBottomLineStep) * kStaffStep * u;
        nsLine(context, left, y, context.view.drawColor, y, right);
    };
    for (int lineStep = kBottomLineStep - 2; lineStep >= step; lineStep -= 2) ledger(lineStep);
    for (int lineStep = kTopLineStep + 2; lineStep <= step; lineStep += 2) ledger(lineStep);
}

// One sign of a record, at its own place in the line.
struct SignPlace {
    int len;
    int measure;   // in the line, from 1
    int position;  // length units from the measure's start
};

// The signs that write a length from a spot on, as far as the line reaches.
std::vector<SignPlace> signPlaces(const DrawContext& context, const std::vector<int>& lengths, const NoteSpot& spot) {
    const int measureLen = context.score.measureLen();
    int at = (spot.measure - 1) * measureLen + spot.position - 1;
    std::vector<SignPlace> places;
    for (int len : lengths) {
        const int measure = at / measureLen + 1;
        if (measure > context.geometry.measPerLine()) break;
        places.push_back({len, measure, at % measureLen});
        at += len;
    }
    return places;
}

struct RestSign {
    char glyph;
    bool dotted;
};

// The rest sign of a length that one sign writes, in the meter.
std::optional<RestSign> restSignFor(int len, int meterIndex) {
    constexpr int kThreeEight = 3;
    constexpr int kSixEight = 4;
    // A whole measure of 3/8 or 6/8 rests under the whole rest.
    if ((len == 18 && meterIndex == kThreeEight) || (len == 36 && meterIndex == kSixEight)) return RestSign{'=', false};
    switch (len) {
    case 48:
    case 32: return RestSign{'=', false};
    case 36: return RestSign{'>', true};
    case 24:
    case 16: return RestSign{'>', false};
    case 18: return RestSign{'?', true};
    case 12:
    case 8: return RestSign{'?', false};
    case 9: return RestSign{'J', true};
    case 6:
    case 4: return RestSign{'J', false};
    case 3:
    case 2: return RestSign{'K', false};
    default: return std::nullopt;
    }
}

void drawRestDot(DrawContext& context, char glyph, double restX, double base) {
    const double u = context.geometry.unit();
    const double width = glyph == '>' || glyph == '=' ? kWideRestWidth : kNarrowRestWidth;
    const double thirdSpace = base + kStaffStep * u;
    context.canvas.text(px(restX + (width + kRestDotGap - kDotInCell) * u), px(thirdSpace - kDotCellToCentre * u),
                        std::string(1, static_cast<char>(kDotCode)), context.musicFont(kNoteFontHeight));
}

// The glyph of one sign of a note: its length, stem direction and whether the note is beamed.
std::optional<int> glyphOfSign(int len, bool up, bool beamed) {
    switch (len) {
    case 48:
    case 32: return kWholeNote;
    case 24:
    case 36:
    case 16: return up ? kHalfUp : kHalfDown;
    case 12:
    case 18:
    case 8: return up ? kQuarterUp : kQuarterDown;
    default: break;
    }
    if (beamed) return kBeamedHead;
    switch (len) {
    case 6:
    case 9:
    case 4: return up ? kEighthUp : kEighthDown;
    case 3:
    case 2: return up ? kSixteenthUp : kSixteenthDown;
    default: return std::nullopt;
    }
}

}  // namespace

std::optional<int> noteGlyphOffset(const model::TNote& note) { return glyphOfSign(note.len, note.stemUp, isBeamed(note)); }

std::optional<char> restGlyph(int len, int meterIndex) {
    if (auto sign = restSignFor(len, meterIndex)) return sign->glyph;
    return std::nullopt;
}

double drawOnpu(DrawContext& context, const model::TNote& note, const NoteSpot& spot) {
    const PageGeometry& g = context.geometry;
    const double u = g.unit();
    const int step = PageGeometry::stepIndex(note.pitch, spot.fClef);
    const double offset = g.stepOffset(step);
    const double base = g.staffBase(spot.row);
    const int bottom = px(base + 9 * u);
    const int stemUpY = bottom + px(offset - kStemUpCell * u);
    const int stemDownY = bottom + px(offset - kStemDownCell * u);
    const int lineDotY = bottom + px(offset - kLineDotCell * u);
    const double x = g.noteX(spot.measure, spot.position - 1);

    // A beamed note without a stemmed glyph of its own is a bare head; other lengths without a
    // single sign are written as tied signs.
    const bool single = hasSingleSign(note.len) || note.len < 1 || isBeamed(note);
    const std::vector<int> lengths = single ? std::vector<int>{note.len} : signLengths(note.len);
    std::optional<CurveEnd> previousEnd;
    context.canvas.setTextColour(context.view.drawColor);
    for (const SignPlace& place : signPlaces(context, lengths, spot)) {
        const double signX = g.noteX(place.measure, place.position);
        const std::optional<int> glyph =
            note.len < 1 ? std::optional<int>(kBeamedHead) : glyphOfSign(place.len, note.stemUp, isBeamed(note));
        drawLedgerLines(context, step, signX, base);
        if (glyph) {
            const bool upPlacement = note.stemUp || isBeamed(note) || *glyph == kWholeNote;
            context.canvas.text(px(signX), upPlacement ? stemUpY : stemDownY,
                                musicText(context.glyphBase() + *glyph), context.musicFont(kNoteFontHeight));
        }
        if (isDotted(place.len)) {
            const bool flagUp = glyph == kEighthUp || glyph == kSixteenthUp;
            // On a line the dot moves up into the space above.
            context.canvas.text(px(signX + (flagUp ? kFlagClearance * u : 0)), step % 2 ? stemUpY : lineDotY,
                                std::string(1, static_cast<char>(kDotCode)), context.musicFont(kNoteFontHeight));
        }
        const CurveEnd end = procSlur0(context, step, 0, base, signX, note.stemUp);
        if (previousEnd) {
            platform::Pen pen;
            pen.colour = context.view.drawColor;
            pen.width = context.thinPenWidth();
            context.canvas.setPen(pen);
            drawCurve(context, *previousEnd, end, 0, note.stemUp);
        }
        previousEnd = end;
    }
    if (note.accidental != model::kNoAccidental) {
        drawTempSym(context, note.accidental, base + offset - kAccidentalCell * u, x + kAccidentalShift * u);
    }
    return x;
}

void drawRest(DrawContext& context, const model::TNote& note, const NoteSpot& spot) {
    const PageGeometry& g = context.geometry;
    const double u = g.unit();
    const double base = g.staffBase(spot.row);
    const int meterIndex = context.score.song.meterIndex;
    const bool single = restSignFor(note.len, meterIndex).has_value();
    const std::vector<int> lengths = single ? std::vector<int>{note.len} : signLengths(note.len);
    context.canvas.setTextColour(context.view.drawColor);
    for (const SignPlace& place : signPlaces(context, lengths, spot)) {
        const RestSign sign = *restSignFor(place.len, meterIndex);
        double x = g.noteX(place.measure, place.position) + (kRestLead - kNoteLead) * u;
        // A whole-measure rest stands in the middle of its measure wherever it starts.
        if (sign.glyph == '=' && place.len >= context.score.measureLen()) {
            x = g.noteX(place.measure, 0) + (kRestLead - kNoteLead) * u + g.measureWidth() * u / 2 - 10 * u;
        }
        if (sign.glyph == '>') x += 4 * g.sixteenthWidth() * u - 10 * u;
        context.canvas.text(px(x), px(base - kRestCell * u), std::string(1, sign.glyph),
                            context.musicFont(kRestFontHeight));
        if (sign.dotted) drawRestDot(context, sign.glyph, x, base);
    }
}

}  // namespace shinofu::render
