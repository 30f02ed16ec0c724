#include <gtest/gtest.h>

#include <cmath>

#include "midi/performance_pass.h"
#include "support/read_notes.h"
#include "numeric/fingering_overlay.h"
#include "numeric/numeric_page.h"
#include "numeric/numeric_page_layout.h"
#include "numeric/vertical_text.h"
#include "platform/recording_canvas.h"

using namespace shinofu;
using namespace shinofu::numeric;
using platform::RecordingCanvas;

namespace {

void readNotes(model::Score& score, const std::vector<std::string>& header, const std::vector<std::string>& notes) {
    shinofu::testing::readNotes(score, header, notes);
    midi::performancePass(score);
}

std::vector<RecordingCanvas::Text> textsOf(const RecordingCanvas& canvas, const std::string& text) {
    std::vector<RecordingCanvas::Text> found;
    for (const auto& t : canvas.texts) {
        if (t.text == text) found.push_back(t);
    }
    return found;
}

// Vertical lines drawn with the duration pen (width 2).
std::vector<RecordingCanvas::Line> durationLines(const RecordingCanvas& canvas) {
    std::vector<RecordingCanvas::Line> found;
    for (const auto& line : canvas.lines) {
        if (line.pen.width == 2) found.push_back(line);
    }
    return found;
}

RecordingCanvas numericPage(const model::Score& score) {
    RecordingCanvas canvas;
    drawNumPage(canvas, score, NumericPageFrame{990, 1420});
    return canvas;
}

int rounded(double v) { return static_cast<int>(std::lround(v)); }

// The staff page with the fingering overlay.
RecordingCanvas overlaidPage(const model::Score& score, const render::ViewState& view = {}) {
    RecordingCanvas canvas;
    FingeringOverlay overlay;
    render::PageOptions options;
    options.layers = {&overlay};
    render::drawPage(canvas, score, view, options);
    return canvas;
}

}  // namespace

TEST(FingeringOverlay, NumeralsUnderNotesWithMeriMarksAndOctaveDots) {
    model::Score score;
    readNotes(score, {}, {"d1 # n 96 u,d3 n n 96 u,e1 n ts 96 u,e1 n tf 96 u"});
    render::ViewState view;
    RecordingCanvas canvas = overlaidPage(score, view);
    const double u = 2.0;
    const double h = 3.5 * u;
    auto three = textsOf(canvas, "三");
    ASSERT_EQ(three.size(), 2u);  // d1 sharp, and e1 once: its tied continuation shows nothing
    const int x = rounded(u * 27);
    // The usual drop; d1's head sits low enough that the meri mark gives way downwards with its numeral.
    const int y = rounded(view.topMargin * u + 3 * 5.0 * u);
    EXPECT_EQ(three[0].at.x, x);
    EXPECT_GE(three[0].at.y, y);
    EXPECT_EQ(three[1].at.y, y);  // e1's numeral: nothing in its way
    EXPECT_EQ(three[0].font.height, rounded(h));
    EXPECT_EQ(three[0].font.face, "ＭＳ ゴシック");
    auto meri = textsOf(canvas, "x");
    ASSERT_EQ(meri.size(), 1u);
    EXPECT_EQ(meri[0].at, (platform::Point{x + canvas.textWidth("三", three[0].font) - rounded(0.3 * h),
                                           three[0].at.y - rounded(0.8 * h)}));
    // d3 on 八本 is k = 42: the third octave's "２" with its dot above.
    EXPECT_EQ(textsOf(canvas, "２").size(), 1u);
    int dots = 0;
    for (const auto& call : canvas.calls) dots += call.rfind("ellipse", 0) == 0;
    EXPECT_EQ(dots, 1);
}

TEST(FingeringOverlay, NumeralsOfAMeasureStayBelowItsLowestHead) {
    model::Score score;
    // a0 (code 13) lies two ledger lines below the G staff; the next measure has only staff notes.
    readNotes(score, {}, {"e1 n n 96 u,a0 n n 96 u,e1 n n 192 u,e1 n n 384 u"});
    render::ViewState view;
    RecordingCanvas canvas = overlaidPage(score, view);
    const double u = 2.0;
    const double base = view.topMargin * u;
    int lowestLedger = 0;
    for (const auto& line : canvas.lines) {
        if (line.from.y == line.to.y && line.from.x != 4) lowestLedger = std::max(lowestLedger, line.from.y);
    }
    ASSERT_GT(lowestLedger, rounded(base + 9 * u));
    // a0's head (step 6) reaches down to step 5, 16.5 units under the staff base.
    const int headBottom = rounded(base + 16.5 * u);
    std::vector<int> firstMeasure;
    std::vector<int> secondMeasure;
    for (const auto& t : canvas.texts) {
        if (t.font.face != "ＭＳ ゴシック") continue;
        (t.at.x < rounded(u * 27) + 150 ? firstMeasure : secondMeasure).push_back(t.at.y);
    }
    ASSERT_EQ(firstMeasure.size(), 3u);
    for (int y : firstMeasure) {
        EXPECT_EQ(y, firstMeasure[0]);  // one baseline for the measure
        EXPECT_GT(y, headBottom);
        EXPECT_GT(y, lowestLedger);
    }
    ASSERT_EQ(secondMeasure.size(), 1u);
    EXPECT_EQ(secondMeasure[0], rounded(base + 3 * 5.0 * u));  // the usual drop where nothing is low
}

TEST(FingeringOverlay, OnlyPartsWhoseOverlayIsOn) {
    model::Score score;
    readNotes(score, {}, {"c1 n n 96 u", "$START", "d1 n n 96 u"});
    render::ViewState view;
    for (int part = 1; part <= 2; ++part) score.part(part).visible = true;
    FingeringOverlay overlay;
    render::PageOptions options;
    options.layers = {&overlay};
    RecordingCanvas canvas;
    render::drawPage(canvas, score, view, options);
    EXPECT_EQ(textsOf(canvas, "一").size(), 1u);
    EXPECT_EQ(textsOf(canvas, "二").size(), 0u);
    view.numericOverlay[1] = true;
    RecordingCanvas both;
    render::drawPage(both, score, view, options);
    EXPECT_EQ(textsOf(both, "二").size(), 1u);
}

TEST(NumericPage, SymbolsStandInTheCellTheirStartLineOpens) {
    model::Score score;
    readNotes(score, {"$NAME:さくら,,"}, {"c1 n n 96 u,rest n n 96 u,d1 n n 48 u,b- n n 48 u"});
    RecordingCanvas canvas = numericPage(score);
    const NumericPageLayout layout = numericPageLayout(score, 1, 990, 1420);
    EXPECT_DOUBLE_EQ(layout.cellW, (990 - 200) / 12.0);
    EXPECT_DOUBLE_EQ(layout.cellH, (1420 - 3 * 80) / 16.0);
    auto one = textsOf(canvas, "一");
    ASSERT_EQ(one.size(), 1u);
    const int cell = rounded(layout.cellW);
    const int height = one[0].font.height;
    EXPECT_EQ(height, rounded(cell * 0.4));
    const int centring = rounded((cell - height) * 0.5);
    // The first strip is the rightmost.
    EXPECT_EQ(one[0].at.x, rounded(11 * layout.cellW) + centring + 100);
    // Below the line, clear of it: 一 on a line would read as part of the grid.
    EXPECT_EQ(one[0].at.y, rounded(height * 0.25) + 80);
    EXPECT_GT(one[0].at.y, 80);
    auto two = textsOf(canvas, "二");
    ASSERT_EQ(two.size(), 1u);
    EXPECT_EQ(two[0].at.y, one[0].at.y + rounded(layout.cellH * 2));  // after a quarter note and a quarter rest
    auto lines = durationLines(canvas);
    ASSERT_EQ(lines.size(), 3u);  // the rest has none; the unplayable b- has one
    EXPECT_EQ(lines[0].from.x, rounded(11 * layout.cellW + 0.9 * layout.cellW) + 100);
    EXPECT_EQ(lines[0].to.y - lines[0].from.y, rounded(layout.cellH));
    // The unplayable "-" is drawn so that it cannot be taken for 一.
    EXPECT_EQ(textsOf(canvas, "-").size(), 0u);
    EXPECT_EQ(textsOf(canvas, "×").size(), 1u);
    EXPECT_EQ(textsOf(canvas, "さ").size(), 1u);  // the title down the right edge
}

TEST(NumericPage, CellIsAnEighthInSixEight) {
    model::Score score;
    readNotes(score, {"$TEMPO:=60,1,-8,0,0,0,6,10,10,0,M,1,-8,0,0,0,6,10,15,8,6/8"}, {"c1 n n 96 u"});
    const NumericPageLayout layout = numericPageLayout(score, 1, 990, 1420);
    EXPECT_EQ(layout.cellUnits, 6);
    auto lines = durationLines(numericPage(score));
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NEAR(lines[0].to.y - lines[0].from.y, 2 * layout.cellH, 1.0);
}

TEST(NumericPage, TiedNoteContinuesInTheNextStripAndTheNextBlock) {
    model::Score score;
    // Seven quarters, then a half tied to a half: it crosses from the first strip into the second.
    std::vector<std::string> notes = {"c1 n n 96 u,c1 n n 96 u,c1 n n 96 u,c1 n n 96 u", "c1 n n 96 u,c1 n n 96 u,c1 n n 96 u,d1 n ts 192 u,d1 n tf 192 u"};
    readNotes(score, {}, notes);
    NumericPageLayout layout = numericPageLayout(score, 1, 990, 1420);
    auto lines = durationLines(numericPage(score));
    ASSERT_EQ(lines.size(), 9u);
    const auto& end = lines[7];
    const auto& continuation = lines[8];
    EXPECT_EQ(end.to.y, rounded(8 * layout.cellH) + 80);  // to the bottom of the strip
    EXPECT_EQ(continuation.from.y, 80);                    // on at the top of the next strip
    EXPECT_EQ(continuation.to.y, rounded(3 * layout.cellH) + 80);
    EXPECT_EQ(end.from.x - continuation.from.x, rounded(11 * layout.cellW + 0.9 * layout.cellW) -
                                                    rounded(10 * layout.cellW + 0.9 * layout.cellW));
    EXPECT_EQ(textsOf(numericPage(score), "二").size(), 1u);

    // Past the leftmost strip of a block the line goes on in the rightmost strip of the next block.
    model::Score wide;
    readNotes(wide, {"$NumScore:1,8,2,2,0,0,ＭＳ ゴシック"}, {"rest n n 576 u,d1 n ts 384 u,d1 n tf 96 u"});
    layout = numericPageLayout(wide, 1, 990, 1420);
    lines = durationLines(numericPage(wide));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1].from.y, rounded(layout.blockTop(1)));
}

TEST(NumericPage, OnlyTheFirstBlocksCarrySymbols) {
    model::Score score;
    std::vector<std::string> notes(12 * 8 * 2 / 4 + 4, "c1 n n 384 u");  // two full blocks and one more strip
    readNotes(score, {}, notes);
    const NumericPageLayout layout = numericPageLayout(score, 1, 990, 1420);
    EXPECT_EQ(layout.fullBlocks, 2);
    EXPECT_EQ(textsOf(numericPage(score), "一").size(), 2u * 12 * 8 / 4);
}

TEST(VerticalText, SmallKanaLongVowelAndSpaces) {
    RecordingCanvas canvas;
    platform::FontDescription font;
    font.height = 40;
    font.face = "ＭＳ ゴシック";
    drawVertText(canvas, {990, 1420, 2}, "シャー ト", VerticalTextKind::Title, font);
    ASSERT_EQ(canvas.texts.size(), 4u);
    // The column would allow a step of (1420 − 3 × 80) / 2 / 5 = 118; a 40-pixel font keeps it to 1.3 × 40.
    const int pitch = 52;
    EXPECT_EQ(canvas.texts[0].font.height, 40);
    EXPECT_EQ(canvas.texts[0].at.y, 96);
    EXPECT_EQ(canvas.texts[1].text, "ャ");
    EXPECT_EQ(canvas.texts[1].at.x, 990 - 33);  // right of the column's centre
    EXPECT_LT(canvas.texts[0].at.x, 990 - 33);
    EXPECT_EQ(canvas.texts[2].text, "｜");
    EXPECT_EQ(canvas.texts[3].at.y - canvas.texts[2].at.y, pitch + pitch / 2);  // the space adds half a step
    RecordingCanvas empty;
    drawVertText(empty, {990, 1420, 2}, "", VerticalTextKind::Composer, font);
    EXPECT_TRUE(empty.texts.empty());
}
