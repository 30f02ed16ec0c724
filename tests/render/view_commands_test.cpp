#include <gtest/gtest.h>

#include "render/view_commands.h"
#include "render_fixture.h"

using namespace shinofu;
using namespace shinofu::render;
using platform::RecordingCanvas;
using shinofu::testing::notesOf;
using shinofu::testing::readNotes;

namespace {

std::vector<const platform::RecordingCanvas::Line*> linesWithPen(const RecordingCanvas& canvas, model::Colour colour,
                                                                 platform::PenStyle style) {
    std::vector<const platform::RecordingCanvas::Line*> found;
    for (const auto& line : canvas.lines) {
        if (line.pen.colour == colour && line.pen.style == style) found.push_back(&line);
    }
    return found;
}

}  // namespace

TEST(ViewCommands, WholePageViewFitsAnAPageIntoTheHeightAndDrawsItsFrame) {
    ViewState view;
    setAllPageView(view, true, 707);
    EXPECT_DOUBLE_EQ(view.zoom, 707 / (990 * 1.414));
    EXPECT_DOUBLE_EQ(view.drawUnit(), 2.0 * 707 / (990 * 1.414));
    model::Score score;
    RecordingCanvas canvas;
    PageOptions options;
    options.frameHeight = 707;
    drawPage(canvas, score, view, options);
    ASSERT_FALSE(canvas.calls.empty());
    EXPECT_EQ(canvas.calls.back(), "rect 0,0 " + std::to_string(px(707 / 1.414)) + ",707");
    // The staff shrinks with the scale: its bottom line at (topMargin + 9) units.
    const double u = view.drawUnit();
    bool bottomLine = false;
    for (const auto& line : shinofu::testing::horizontalLines(canvas)) {
        bottomLine = bottomLine || line.from.y == px((model::kDefaultTopMargin + 9) * u);
    }
    EXPECT_TRUE(bottomLine);
    setAllPageView(view, false, 707);
    EXPECT_DOUBLE_EQ(view.drawUnit(), 2.0);
}

TEST(ViewCommands, ViewShiftStaysWithinTheGrownPage) {
    ViewState view;
    viewShift(view, 3, 7.0);
    viewShift(view, 6, 7.0);
    EXPECT_EQ(view.originX, 0);
    EXPECT_EQ(view.originY, 0);
    viewShift(view, 1, 7.0);
    EXPECT_EQ(view.originX, 0);  // at the start-up size there is nothing beyond the view
    view.noteSize = 4.0;
    viewShift(view, 1, 7.0);
    EXPECT_EQ(view.originX, px(7.0 / 3 * 24 * 4.0));
    viewShift(view, 5, 7.0);
    EXPECT_EQ(view.originX, 990);  // twice the size: at most one view width further
    viewShift(view, 8, 7.0);
    viewShift(view, 2, 7.0);
    EXPECT_EQ(view.originY, px(7.0 / 3 * 24 * 4.0) - px(7.0 / 3 * 24 * 4.0) / 4);
    viewShift(view, 9, 7.0);
    EXPECT_EQ(view.originX, 990);
    EXPECT_EQ(originText(view), "ox: 990.0 oy: " + std::to_string(view.originY) + ".0");
}

TEST(ViewCommands, PagesTurnWithinTheScore) {
    ViewState view;
    EXPECT_FALSE(previousPage(view));
    EXPECT_TRUE(nextPage(view, 2));
    EXPECT_EQ(view.curPage, 2);
    EXPECT_FALSE(nextPage(view, 2));
    EXPECT_EQ(view.curPage, 2);
    EXPECT_TRUE(previousPage(view));
    EXPECT_EQ(view.curPage, 1);
}

TEST(ViewCommands, FixedModeKeepsTheVariableValuesForTheWayBack) {
    model::Configuration config = model::configurationWithoutFile();
    config.noteSize = 3.0;
    config.lineSpacing = 50;
    config.rowsPerPage = 8;
    ViewState view = ViewState::fromConfiguration(config);
    view.noteSize = 2.5;
    view.rowsPerPage = 10;
    view.originX = 40;
    setFixedMode(view, config);
    EXPECT_EQ(view.noteSize, 3.0);
    EXPECT_EQ(view.rowsPerPage, 8);
    EXPECT_EQ(view.originX, 0);
    setFixedMode(view, config);  // pressed twice: the variable values are not overwritten
    setVariableMode(view);
    EXPECT_EQ(view.noteSize, 2.5);
    EXPECT_EQ(view.rowsPerPage, 10);
    EXPECT_FALSE(view.fixedMode);
}

TEST(ViewCommands, ChorusDisplaySetsTheStemsOfEachPair) {
    model::Score score;
    readNotes(score, {}, {"c2 n n 96 d", "$START", "c1 n n 96 u", "$START", "c2 n n 96 d", "$START", "c1 n n 96 u"});
    setChorusDisplay(score, 2);
    EXPECT_TRUE(notesOf(score, 1)[0]->stemUp);
    EXPECT_FALSE(notesOf(score, 2)[0]->stemUp);
    EXPECT_TRUE(notesOf(score, 3)[0]->stemUp);
    EXPECT_FALSE(notesOf(score, 4)[0]->stemUp);
    const PageTables tables = buildPageTables(score, ViewState{});
    EXPECT_EQ(tables.stavesPerSystem, 2);
    setChorusDisplay(score, 0);
    EXPECT_EQ(buildPageTables(score, ViewState{}).stavesPerSystem, 4);
}

TEST(ViewCommands, DisplayStartMovesByWholeMeasuresOfEveryPart) {
    model::Score score;
    readNotes(score, {}, {"c1 n n 192 u,c1 n n 192 u,d1 n n 384 u,e1 n n 384 u", "$START",
                          "c1 n n 384 u,d1 n n 384 u,e1 n n 384 u"});
    ViewState view;
    ASSERT_TRUE(shiftDisplayLater(view, score));
    EXPECT_EQ(view.startShift, 1);
    EXPECT_EQ(view.displayStart[0], notesOf(score, 1)[2]);
    EXPECT_EQ(view.displayStart[1], notesOf(score, 2)[1]);
    ASSERT_TRUE(shiftDisplayLater(view, score));
    // Part 2's last measure has no record after it: refused, nothing moves.
    EXPECT_FALSE(shiftDisplayLater(view, score));
    EXPECT_EQ(view.startShift, 2);
    shiftDisplayEarlier(view, score);
    EXPECT_EQ(view.displayStart[0], notesOf(score, 1)[2]);
    shiftDisplayEarlier(view, score);
    EXPECT_EQ(view.displayStart[0], notesOf(score, 1)[0]);
    shiftDisplayEarlier(view, score);  // below zero: back to the heads
    EXPECT_EQ(view.startShift, 0);
    EXPECT_EQ(view.displayStart[0], nullptr);
    // A part whose measure is overfilled refuses the shift.
    model::Score uneven;
    readNotes(uneven, {}, {"c1 n n 288 u,c1 n n 192 u,d1 n n 384 u"});
    EXPECT_FALSE(shiftDisplayLater(view, uneven));
}

TEST(EditHighlight, TheEditedMeasureIsFilledBehindTheNotes) {
    model::Score score;
    readNotes(score, {}, {"c1 n n 384 u,c1 n n 384 u,c1 n n 384 u,c1 n n 384 u,c1 n n 384 u", "$START", "c1 n n 384 u"});
    ViewState view;
    view.edit = {true, 2, 1, 2, false, 2, 1, false};
    RecordingCanvas canvas;
    const PageTables tables = drawPage(canvas, score, view).tables;
    PageGeometry g(score, view, tables);
    const double u = 2.0;
    const int row = (2 - 1) * 2 + 2;
    const double y = ((row - 1) * view.lineSpacing + view.topMargin - 3) * u;
    const std::string expected = "rect " + std::to_string(px(g.headWidth() * u)) + "," + std::to_string(px(y - 9 * u)) +
                                 " " + std::to_string(px(g.measureWidth() * u + g.headWidth() * u)) + "," +
                                 std::to_string(px(y + 18 * u));
    const auto rects = shinofu::testing::callsOf(canvas, "rect");
    ASSERT_EQ(rects.size(), 2u);  // the cleared view, then the highlight
    EXPECT_EQ(rects[1], expected);
    // The highlight lies under the notes: drawn before any note glyph.
    const auto highlight = std::find(canvas.calls.begin(), canvas.calls.end(), expected);
    const auto firstText = std::find_if(canvas.calls.begin(), canvas.calls.end(),
                                        [](const std::string& call) { return call.rfind("text", 0) == 0; });
    EXPECT_LT(highlight, firstText);
}

TEST(EditHighlight, ARangeWrapsToTheNextLine) {
    model::Score score;
    readNotes(score, {}, {"c1 n n 384 u,c1 n n 384 u,c1 n n 384 u,c1 n n 384 u,c1 n n 384 u,c1 n n 384 u"});
    ViewState view;
    view.edit = {true, 1, 3, 1, true, 2, 2, false};
    RecordingCanvas canvas;
    drawPage(canvas, score, view);
    EXPECT_EQ(shinofu::testing::callsOf(canvas, "rect").size(), 1u + 4u);  // measures 3, 4 of line 1 and 1, 2 of line 2
}

TEST(EditHighlight, GridLinesFollowTheDivisionOnlyWhileTheGridIsOn) {
    model::Score score;
    readNotes(score, {}, {"c1 n n 384 u"});
    ViewState view;
    view.edit.shown = true;
    view.gridDiv = 4;
    RecordingCanvas off;
    drawPage(off, score, view);
    EXPECT_TRUE(linesWithPen(off, 0xFF0000, platform::PenStyle::Dotted).empty());
    view.gridOn = true;
    struct Case {
        int division;
        size_t dotted;
        size_t beats;
    };
    for (const Case& c : {Case{1, 0, 4}, Case{2, 8, 4}, Case{4, 16, 4}, Case{3, 6, 2}, Case{6, 12, 4}, Case{12, 24, 4}}) {
        view.gridDiv = c.division;
        RecordingCanvas canvas;
        const PageTables tables = drawPage(canvas, score, view).tables;
        EXPECT_EQ(linesWithPen(canvas, 0xFF0000, platform::PenStyle::Dotted).size(), c.dotted) << c.division;
        const auto beats = linesWithPen(canvas, 0xFF0000, platform::PenStyle::Solid);
        ASSERT_EQ(beats.size(), c.beats) << c.division;
        PageGeometry g(score, view, tables);
        EXPECT_EQ(beats[0]->from.x, px(2.0 * (g.headWidth() + 7 + 1.2)));
    }
}

TEST(EditHighlight, ClearedMeasureShowsBareStaffLines) {
    model::Score score;
    readNotes(score, {}, {"c1 n n 384 u"});
    ViewState view;
    view.edit.shown = true;
    view.edit.cleared = true;
    RecordingCanvas canvas;
    drawPage(canvas, score, view);
    const auto rects = shinofu::testing::callsOf(canvas, "rect");
    ASSERT_EQ(rects.size(), 2u);
    size_t across = 0;
    for (const auto& line : shinofu::testing::horizontalLines(canvas)) {
        across += rects[1].find(" " + std::to_string(line.to.x) + ",") != std::string::npos &&
                  line.pen.colour == view.drawColor;
    }
    EXPECT_GE(across, 5u);
}
