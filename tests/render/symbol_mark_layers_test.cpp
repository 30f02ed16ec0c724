#include <gtest/gtest.h>

#include "model/pitch.h"
#include "render/lyric_layer.h"
#include "render/mark_layer.h"
#include "render/symbol_layer.h"
#include "render_fixture.h"

using namespace shinofu;
using namespace shinofu::render;
using platform::RecordingCanvas;
using shinofu::testing::callsOf;
using shinofu::testing::pointsCall;
using shinofu::testing::readNotes;

namespace {

constexpr double u = 2.0;

// Two pages of whole notes in 4/4 (48 measures to a page of 12 lines of 4).
void twoPages(model::Score& score, int parts = 1) {
    std::vector<std::string> notes(12 * 4 + 8, "c1 n n 384 u");
    for (int part = 2; part <= parts; ++part) {
        notes.push_back("$START");
        notes.insert(notes.end(), 12 * 4 + 8, "e1 n n 384 u");
    }
    readNotes(score, {}, notes);
}

model::TScoreSym sign(uint8_t kind, int anchorPos, const char* text = " ", int dx = 0, int dy = -23) {
    model::TScoreSym symbol;
    symbol.kind = kind;
    symbol.anchorPos = anchorPos;
    symbol.text = text;
    symbol.dx = dx;
    symbol.dy = dy;
    symbol.fontSize = 14;
    symbol.fontIndex = 1;
    return symbol;
}

struct Layers {
    SymbolLayer symbols;
    MarkLayer marks;
    LyricLayer lyrics;
    RecordingCanvas canvas;
    PageTables tables;

    Layers(const model::Score& score, const ViewState& view) {
        PageOptions options;
        options.layers = {&lyrics, &symbols, &marks};
        tables = drawPage(canvas, score, view, options).tables;
    }
};

double headWidthOf(const model::Score& score, const ViewState& view = {}) {
    const PageTables tables = buildPageTables(score, view);
    return PageGeometry(score, view, tables).headWidth();
}

double measureWidthOf(const model::Score& score, const ViewState& view = {}) {
    const PageTables tables = buildPageTables(score, view);
    return PageGeometry(score, view, tables).measureWidth();
}

double baseOf(const model::Score& score, int row, const ViewState& view = {}) {
    const PageTables tables = buildPageTables(score, view);
    return PageGeometry(score, view, tables).staffBase(row);
}

}  // namespace

TEST(BarSigns, FinalBarRepeatsAndDoubleBarStandAtTheirBarLines) {
    model::Score score;
    twoPages(score);
    const int measureLen = score.measureLen();
    auto& symbols = score.part(1).symbols;
    symbols.push_back(sign(model::kStop, 0));                        // closes measure 1
    symbols.push_back(sign(model::kRepeatLeft, 2 * measureLen));      // opens measure 3
    symbols.push_back(sign(model::kRepeatRight, 4 * measureLen));     // closes measure 1 of line 2
    symbols.push_back(sign(model::kDaCapo, 1 * measureLen, "X", 10)); // closes measure 2, with its text
    Layers drawn(score, {});
    const double w = measureWidthOf(score);
    const double head = headWidthOf(score);
    const double base1 = baseOf(score, 1);
    const int top = px(base1 - 3 * u);
    const int bottom = px(base1 + 9 * u);
    const auto lines = drawn.canvas.calls;
    auto has = [&](const std::string& call) { return std::find(lines.begin(), lines.end(), call) != lines.end(); };

    const int bar1 = px(u * (head + w));
    EXPECT_TRUE(has(pointsCall("line", {{px(bar1 - 3 * u), top}, {px(bar1 - 3 * u), bottom}})));
    EXPECT_TRUE(has(pointsCall("polygon", {{px(bar1 - 1.5 * u), top}, {bar1, top}, {bar1, bottom}, {px(bar1 - 1.5 * u), bottom}})));

    const int opening3 = px(u * (head + 2 * w));
    EXPECT_TRUE(has(pointsCall("polygon", {{opening3, top}, {px(opening3 + 1.2 * u), top}, {px(opening3 + 1.2 * u), bottom},
                                           {opening3, bottom}})));
    EXPECT_TRUE(has(pointsCall("line", {{px(opening3 + 2.4 * u), top}, {px(opening3 + 2.4 * u), bottom}})));
    EXPECT_TRUE(has(pointsCall("ellipse", {{px(opening3 + 2.8 * u), px(base1 - 3 * u + 3.7 * u)},
                                           {px(opening3 + 4.2 * u), px(base1 - 3 * u + 5.1 * u)}})));

    const double base2 = baseOf(score, 2);
    const int bar5 = px(u * (head + w));
    EXPECT_TRUE(has(pointsCall("line", {{px(bar5 - 2.4 * u), px(base2 - 3 * u)}, {px(bar5 - 2.4 * u), px(base2 + 9 * u)}})));

    const int bar2 = px(u * (head + 2 * w));
    EXPECT_TRUE(has(pointsCall("line", {{px(bar2 - 1.5 * u), top}, {px(bar2 - 1.5 * u), bottom}})));
    // drawSignText: the measure's left bar line plus dx, the fourth line plus dy.
    const auto dc = shinofu::testing::musicTexts(drawn.canvas, "X");
    ASSERT_EQ(dc.size(), 1u);
    EXPECT_EQ(dc[0].at, (platform::Point{px(u * (head + w + 10)), px(base1 + (6 - 23) * u)}));
    EXPECT_EQ(dc[0].font.height, px(14 * u));
    // Every sign keeps where it was drawn.
    int signItems = 0;
    for (const ItemBounds& item : drawn.symbols.items()) signItems += item.index >= model::fixedSymCount;
    EXPECT_EQ(signItems, 5);  // four bar signs and the D.C. text
    bool finalBarBounds = false;
    for (const ItemBounds& item : drawn.symbols.items()) {
        if (item.index == model::fixedSymCount) {
            finalBarBounds = true;
            EXPECT_EQ(item.left, px(bar1 - 3 * u) - px(3 * u));
            EXPECT_EQ(item.right, px(bar1 - 3 * u) + px(3 * u));
            EXPECT_EQ(item.top, top);
            EXPECT_EQ(item.bottom, bottom);
        }
    }
    EXPECT_TRUE(finalBarBounds);
}

TEST(BarSigns, EndingBracketRisesFromTheOpeningBar) {
    model::Score score;
    twoPages(score);
    score.part(1).symbols.push_back(sign(model::kFirstEnding, score.measureLen(), "1.", 3, -17));
    Layers drawn(score, {});
    const double w = measureWidthOf(score);
    const int x = px(u * (headWidthOf(score) + w));
    const double topLine = baseOf(score, 1) - 3 * u;
    const int height = px(topLine - (1.3 * 3.5 + 1.5) * u);
    const auto& calls = drawn.canvas.calls;
    EXPECT_NE(std::find(calls.begin(), calls.end(), pointsCall("line", {{x, px(topLine - u)}, {x, height}})), calls.end());
    EXPECT_NE(std::find(calls.begin(), calls.end(), pointsCall("line", {{x, height}, {x + px(u * (w - 3)), height}})),
              calls.end());
}

TEST(SymbolLayer, SignsBelongToThePageTheirMeasureIsOn) {
    model::Score score;
    twoPages(score);
    ViewState view;
    const PageTables tables = buildPageTables(score, view);
    const int secondPage = tables.pageStart(2);
    score.part(1).symbols.push_back(sign(model::kSegno, 0, "Z"));           // the score's first measure
    score.part(1).symbols.push_back(sign(model::kCoda, secondPage, "["));  // page 2's first measure
    Layers first(score, view);
    EXPECT_EQ(shinofu::testing::musicTexts(first.canvas, "Z").size(), 1u);
    EXPECT_TRUE(shinofu::testing::musicTexts(first.canvas, "[").empty());
    view.curPage = 2;
    Layers second(score, view);
    const auto coda = shinofu::testing::musicTexts(second.canvas, "[");
    ASSERT_EQ(coda.size(), 1u);
    EXPECT_EQ(coda[0].at.y, px(baseOf(score, 1, view) + (6 - 23) * u));  // the page's first row
}

TEST(SymbolLayer, FreeTextsOnTheirPageAndNothingWithoutTheSongData) {
    model::Score score;
    twoPages(score);
    model::TScoreSym text = sign(model::kPlainText, -1, "自由", 30, 40);
    text.page = 2;
    text.fontIndex = 0;
    score.part(1).symbols.push_back(text);
    ViewState view;
    view.curPage = 2;
    view.originY = 10;
    Layers drawn(score, view);
    bool found = false;
    for (const auto& t : drawn.canvas.texts) {
        if (t.text != "自由") continue;
        found = true;
        EXPECT_EQ(t.at, (platform::Point{px(30 * u), px(40 * u - 10)}));
    }
    EXPECT_TRUE(found);
    score.part(1).symbols.erase(score.part(1).symbols.begin() + 1, score.part(1).symbols.begin() + 3);
    Layers without(score, view);
    for (const auto& t : without.canvas.texts) EXPECT_NE(t.text, "自由");
    EXPECT_TRUE(without.symbols.items().empty());
}

TEST(MarkLayer, MarkTextsStandAtTheirNotesWithBounds) {
    model::Score score;
    readNotes(score, {}, {"c1 n n 96 u,c1 n n 96 u,c1 n n 96 u,c1 n n 96 u,c1 n n 384 u"});
    model::TMark mark;
    mark.text = "B";
    mark.dynamics = 5;
    mark.anchorPos = 30;
    mark.fontIndex = 1;
    mark.fontSize = 12;
    mark.dy = -15;
    score.part(1).marks.push_back(mark);
    Layers drawn(score, {});
    const ViewState view;
    const PageTables tables = buildPageTables(score, view);
    PageGeometry g(score, view, tables);
    const auto mf = shinofu::testing::musicTexts(drawn.canvas, "B");
    ASSERT_EQ(mf.size(), 1u);
    const int x = px(u * (g.headWidth() + 7 + 30 * g.sixteenthWidth() / 3));
    const int y = px(g.staffBase(1) - 15 * u);
    EXPECT_EQ(mf[0].at, (platform::Point{x, y}));
    ASSERT_EQ(drawn.marks.items().size(), 1u);
    EXPECT_EQ(drawn.marks.items()[0].left, x);
    EXPECT_EQ(drawn.marks.items()[0].bottom, y + px(12 * u));
    EXPECT_TRUE(drawn.marks.items()[0].contains(x + 1, y + 1));
}

TEST(MarkLayer, HairpinsOpenAndCloseBetweenTheirMarks) {
    model::Score score;
    readNotes(score, {}, {"c1 n n 384 u,c1 n n 384 u,c1 n n 384 u,c1 n n 384 u,c1 n n 384 u"});
    auto hairpin = [](uint8_t role, int at) {
        model::TMark mark;
        mark.hairpin = role;
        mark.anchorPos = at;
        mark.fontSize = 10;
        mark.dy = -10;
        return mark;
    };
    // From the second measure: over the first note the hairpin would meet the tempo mark and give way.
    score.part(1).marks = {hairpin(model::kCrescendoStart, 96), hairpin(model::kCrescendoEnd, 120),
                           hairpin(model::kDecrescendoStart, 144), hairpin(model::kDecrescendoEnd, 168)};
    Layers drawn(score, {});
    const ViewState view;
    const PageTables tables = buildPageTables(score, view);
    PageGeometry g(score, view, tables);
    const double base = g.staffBase(1);
    const int y = px(base - 10 * u);
    const int ya = px(base + (-10 - 3) * u);
    const int yb = px(base + (-10 + 3) * u);
    auto at = [&](int position) { return px(g.noteX(position / 48 + 1, position % 48)); };
    const auto& calls = drawn.canvas.calls;
    auto has = [&](const std::string& call) { return std::find(calls.begin(), calls.end(), call) != calls.end(); };
    EXPECT_TRUE(has(pointsCall("line", {{at(96), y}, {at(119), ya}})));
    EXPECT_TRUE(has(pointsCall("line", {{at(96), y}, {at(119), yb}})));
    EXPECT_TRUE(has(pointsCall("line", {{at(144), ya}, {at(167), y}})));
    EXPECT_TRUE(has(pointsCall("line", {{at(144), yb}, {at(167), y}})));
    ASSERT_EQ(drawn.marks.items().size(), 2u);
    EXPECT_EQ(drawn.marks.items()[0].top, ya);
    EXPECT_EQ(drawn.marks.items()[0].right, at(119));
    // A start with no mark after it draws nothing.
    score.part(1).marks = {hairpin(model::kCrescendoStart, 0)};
    Layers lone(score, {});
    EXPECT_TRUE(lone.marks.items().empty());
}

TEST(MarkLayer, AHairpinOverALineBreakOpensAcrossBothPieces) {
    model::Score score;
    readNotes(score, {}, {"c1 n n 384 u,c1 n n 384 u,c1 n n 384 u,c1 n n 384 u,c1 n n 384 u,"
                                                "c1 n n 384 u"});
    model::TMark start;
    start.hairpin = model::kCrescendoStart;
    start.anchorPos = 3 * 48;  // the last measure of line 1
    start.fontSize = 10;
    model::TMark end = start;
    end.hairpin = model::kCrescendoEnd;
    end.anchorPos = 5 * 48;  // the second measure of line 2: half the length lies on each line
    score.part(1).marks = {start, end};
    Layers drawn(score, {});
    ASSERT_EQ(drawn.marks.items().size(), 2u);
    const ItemBounds& first = drawn.marks.items()[0];
    const ItemBounds& second = drawn.marks.items()[1];
    EXPECT_LT(first.bottom, baseOf(score, 2));
    EXPECT_GT(second.top, baseOf(score, 2) - 10 * u);
    // The first piece ends half open, the second begins there.
    int openingAtBreak = -1;
    for (const auto& line : drawn.canvas.lines) {
        if (line.to.x == first.right && line.to.y > px(baseOf(score, 1))) openingAtBreak = line.to.y - px(baseOf(score, 1));
    }
    EXPECT_EQ(openingAtBreak, px(1.5 * u));
}

TEST(LyricLayer, LyricsHangOneNumeralHeightBelowTheOverlayAndTheSecondVoiceBelowThat) {
    model::Score score;
    readNotes(score, {}, {"c1 n n 96 u,d1 n n 96 u", "$START", "e1 n n 96 u"});
    score.part(1).partHead->lyric = "さ";
    score.part(2).partHead->lyric = "う";
    Layers drawn(score, {});
    const ViewState view;
    const PageTables tables = buildPageTables(score, view);
    PageGeometry g(score, view, tables);
    auto lyric = [&](const std::string& text) {
        for (const auto& t : drawn.canvas.texts) {
            if (t.text == text) return t;
        }
        ADD_FAILURE() << text;
        return platform::RecordingCanvas::Text{};
    };
    const auto first = lyric("さ");
    EXPECT_EQ(first.at, (platform::Point{px(g.noteX(1, 0)), px(g.staffBase(1) + (3 * 5.0 + 3.5) * u)}));
    EXPECT_EQ(first.font.height, px(3.5 * u));
    EXPECT_EQ(first.font.face, "ＭＳ ゴシック");
    EXPECT_EQ(lyric("う").at.y, px(g.staffBase(2) + (3 * 5.0 + 3.5) * u));
    score.chorusCount = 1;
    Layers chorus(score, {});
    for (const auto& t : chorus.canvas.texts) {
        if (t.text == "う") {
            EXPECT_EQ(t.at.y, px(g.staffBase(1) + (3 * 5.0 + 7.0) * u));
        }
    }
}
