#include "numeric/numeric_page.h"

#include <cmath>

#include "numeric/fingering.h"
#include "numeric/numeric_page_layout.h"
#include "numeric/vertical_text.h"
#include "render/page_drawer.h"

namespace shinofu::numeric {
namespace {

constexpr double kTitleHeight = 0.4;     // of the side margin
constexpr double kComposerHeight = 0.2;
constexpr double kDurationLineX = 0.9;   // of the cell width, from the strip's left
constexpr int kDurationPenWidth = 2;
constexpr double kMeriScale = 0.5;       // the meri mark is half the symbol's size
constexpr double kWordScale = 0.35;      // a practice report's word beside a symbol
constexpr double kSymbolDrop = 0.25;     // symbol heights from its start line down to its top, room for the octave dot

int rounded(double value) { return static_cast<int>(std::lround(value)); }

struct PageContext {
    platform::Canvas& canvas;
    const model::Score& score;
    const NumericPageFrame& frame;
    const NumericPageLayout& layout;
};

void line(PageContext& c, int x1, int y1, int x2, int y2) {
    c.canvas.moveTo(x1 - c.frame.originX, y1 - c.frame.originY);
    c.canvas.lineTo(x2 - c.frame.originX, y2 - c.frame.originY);
}

void drawGrid(PageContext& c) {
    const NumericPageLayout& l = c.layout;
    platform::Pen pen;
    pen.colour = numericColour(c.score.numeric.ruleColorChoice);
    c.canvas.setPen(pen);
    const int right = kNumMarginX + rounded(l.tiers * l.cellW);
    for (int b = 0; b <= l.fullBlocks; ++b) {
        const bool partial = b == l.fullBlocks;
        const int top = rounded(l.blockTop(b));
        const int bottom = rounded(l.blockTop(b) + l.rows * l.cellH);
        const int edges = partial ? l.lastStrips + 2 : l.tiers + 1;
        for (int i = 0; i < edges; ++i) {
            const int x = kNumMarginX + rounded((l.tiers - i) * l.cellW);
            line(c, x, top, x, bottom);
        }
        const int left = partial ? kNumMarginX + rounded((l.tiers - l.lastStrips - 1) * l.cellW) : kNumMarginX;
        for (int r = 0; r <= l.rows; ++r) {
            const int y = rounded(l.blockTop(b) + r * l.cellH);
            line(c, right, y, left, y);
        }
    }
}

// The sounding length drawn down the strip, continuing in the next strip to the left and, past
// a block's leftmost strip, in the rightmost strip of the next block.
void drawDurationLine(PageContext& c, const model::TNote& note, NumericPageLayout::Place place) {
    const NumericPageLayout& l = c.layout;
    platform::Pen pen;
    pen.colour = numericColour(c.score.numeric.fontColorChoice);
    pen.width = kDurationPenWidth;
    c.canvas.setPen(pen);
    int end = place.position + note.len;
    if (note.tie == model::kRoleStart) {
        // The line never needs to reach past the page's last block.
        const int pageRest = (l.columns - place.block) * l.blockLen;
        for (const model::TNote* next = note.next;
             next && !next->isEndMarker() && next->tie != model::kNoRole && end < pageRest; next = next->next) {
            end += next->len;
        }
    }
    const double unitHeight = l.cellH / l.cellUnits;
    int strip = place.strip;
    int block = place.block;
    int start = place.position;
    while (true) {
        const int x = rounded(strip * l.cellW + kDurationLineX * l.cellW) + kNumMarginX;
        const double top = block * (l.cellH * l.rows + kNumMarginY);
        const int segmentEnd = std::min(end, l.stripLen);
        line(c, x, rounded(start * unitHeight + top) + kNumMarginY, x, rounded(segmentEnd * unitHeight + top) + kNumMarginY);
        if (end <= l.stripLen) break;
        end -= l.stripLen;
        start = 0;
        if (--strip < 0) {
            strip = l.tiers - 1;
            ++block;
        }
    }
}

void drawSymbol(PageContext& c, const model::TNote& note, NumericPageLayout::Place place, platform::FontDescription font,
                const std::string& word) {
    const NumericPageLayout& l = c.layout;
    const Numeral numeral = numeralOf(note.pitch, note.effAccidental, c.score.song.fluteKey, c.score.song.keySig);
    const std::string symbol = drawnSymbol(numeral.symbol);
    const int cell = rounded(l.cellW);
    const int height = c.canvas.textHeight(symbol, font);
    const int centring = rounded((cell - height) * 0.5);
    // The symbol stands in the cell that its start line opens, clear of the line: 一 on a line would
    // read as part of the grid.
    const double blockTop = place.block * (l.rows * l.cellH + kNumMarginY) + rounded(height * kSymbolDrop);
    const int w = rounded(l.cellH / l.cellUnits * place.position);
    const int x = rounded(place.strip * l.cellW) + centring + kNumMarginX - c.frame.originX;
    const int y = rounded(blockTop) + kNumMarginY + w - c.frame.originY;
    c.canvas.text(x, y, symbol, font);
    // A word of the practice report, small, at the symbol's lower right.
    if (!word.empty()) {
        platform::FontDescription small = font;
        small.height = std::max(1, rounded(font.height * kWordScale));
        c.canvas.text(x + c.canvas.textWidth(symbol, font), y + height - small.height, word, small);
    }
    if (hasMeriMark(numeral.symbol)) {
        platform::FontDescription small = font;
        small.height = std::max(1, rounded(font.height * kMeriScale));
        c.canvas.text(x + c.canvas.textWidth(symbol, font), y - small.height / 3, "x", small);
    }
    if (hasOctaveDot(numeral.index)) {
        const double f = font.height;
        const int left = rounded(0.4 * f + place.strip * l.cellW) + centring + kNumMarginX - c.frame.originX;
        const int right = rounded(0.6 * f + place.strip * l.cellW) + centring + kNumMarginX - c.frame.originX;
        const int top = rounded(blockTop - 0.2 * f) + kNumMarginY + w - c.frame.originY;
        const int bottom = rounded(blockTop) + kNumMarginY + w - c.frame.originY;
        c.canvas.setBrush({c.frame.drawColor, false});
        c.canvas.ellipse(left, top, right, bottom);
        c.canvas.setBrush({0, true});
    }
}

}  // namespace

NumericPictureExtent measureNumPage(const model::Score& score, const NumericPageFrame& frame) {
    constexpr int kBorder = 24;
    const NumericPageLayout l = numericPageLayout(score, score.curPart, frame.width, frame.height);
    const int height = rounded(l.rows * l.cellH + (l.rows * l.cellH + kNumMarginY) * l.fullBlocks) + kNumMarginY -
                       frame.originY + kBorder;
    const int left = l.fullBlocks > 0
                         ? kNumMarginX - frame.originX - kBorder
                         : rounded((l.tiers - l.lastStrips - 1) * l.cellW - frame.originX) + kNumMarginX - kBorder;
    return {left, height};
}

void drawNumPage(platform::Canvas& canvas, const model::Score& score, const NumericPageFrame& frame) {
    const int part = score.curPart;
    const NumericPageLayout layout = numericPageLayout(score, part, frame.width, frame.height);
    PageContext context{canvas, score, frame, layout};
    if (frame.clear) {
        canvas.setPen({frame.backColor, 1, platform::PenStyle::Solid, platform::RasterMode::Copy});
        canvas.setBrush({frame.backColor, false});
        canvas.rectangle(0, 0, frame.width, frame.height);
        canvas.setBrush({0, true});
    }
    canvas.setTextBackground(false, frame.backColor);
    canvas.setTextColour(numericColour(score.numeric.fontColorChoice));
    platform::FontDescription font;
    font.face = score.numeric.fontName;
    font.weight = 700;
    font.height = rounded(kNumMarginX * kTitleHeight);
    const VerticalTextFrame textFrame{frame.width, frame.height, layout.columns, frame.originX, frame.originY};
    drawVertText(canvas, textFrame, score.title(), VerticalTextKind::Title, font);
    font.height = rounded(kNumMarginX * kComposerHeight);
    drawVertText(canvas, textFrame, score.composer(), VerticalTextKind::Composer, font);

    drawGrid(context);

    font.height = rounded(rounded(layout.cellW) * numericSymbolRatio(score.numeric.fontSizeChoice));
    int position = 0;
    int stacked = 0;
    for (const model::TNote* note = score.part(part).partHead; note && !note->isEndMarker(); note = note->next) {
        const auto place = layout.placeOf(position);
        // Blocks past the page's columns would be drawn off the page: the walk ends where they begin.
        if (place.block >= layout.columns) break;
        stacked = note->len == 0 ? stacked + 1 : 0;
        const bool continuation = note->tie == model::kRoleEnd || note->tie == model::kRoleEndAndStart;
        if (model::isStaffPitch(note->pitch) && !continuation && stacked <= render::kMaxStackedRecords) {
            const render::NoteTint* tint = frame.tints ? frame.tints->of(part, note->startPos) : nullptr;
            canvas.setTextColour(tint ? tint->colour : numericColour(score.numeric.fontColorChoice));
            drawSymbol(context, *note, place, font, tint ? tint->label : std::string());
            drawDurationLine(context, *note, place);
        }
        position += note->len;
    }
}

}  // namespace shinofu::numeric
