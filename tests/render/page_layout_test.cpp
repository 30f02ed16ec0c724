#include <gtest/gtest.h>

#include "model/line_fit.h"
#include "render/page_geometry.h"
#include "render/page_tables.h"
#include "render_fixture.h"

using namespace shinofu;
using namespace shinofu::render;
using shinofu::testing::readNotes;

TEST(PageTables, PageLengthAndCount) {
    model::Score score;
    ViewState view;
    PageTables tables = buildPageTables(score, view);
    EXPECT_EQ(tables.pageLen, 12 * 4 * 48);
    EXPECT_EQ(tables.pageCount, 1);
    std::vector<std::string> notes(12 * 4, "c1 n n 384 u");  // exactly one page of whole notes
    readNotes(score, {}, notes);
    tables = buildPageTables(score, view);
    EXPECT_EQ(score.scoreLength(), 2304);
    EXPECT_EQ(tables.pageCount, 2);
    ASSERT_GE(tables.pageEnd.size(), 2u);
    EXPECT_EQ(tables.pageEnd[1], 2304);
    EXPECT_EQ(tables.pageStart(2), 2304);
}

TEST(PageTables, PrintViewTakesTheSongTableAndFillsItsGaps) {
    model::Score score;
    score.song.lineMeasures[0] = 3;
    score.song.lineMeasures[1] = 5;
    ViewState view;
    PageTables uniform = buildPageTables(score, view);
    EXPECT_EQ(uniform.lineMeasures[0], 4);
    view.printView = true;
    PageTables print = buildPageTables(score, view);
    EXPECT_EQ(print.lineMeasures[0], 3);
    EXPECT_EQ(print.lineMeasures[1], 5);
    EXPECT_EQ(print.lineMeasures[2], 4);  // 0 takes the default
    EXPECT_EQ(print.lineStart[0], 1);
    EXPECT_EQ(print.lineStart[1], 4);
    EXPECT_EQ(print.lineStart[2], 9);
    score.song.lineMeasures[0] = 0;
    EXPECT_EQ(buildPageTables(score, view).lineMeasures[1], 4);  // an empty song table is not used
}

TEST(PageTables, DegenerateStaffCountsNeverDivideByZero) {
    model::Score score;
    score.chorusCount = 1;  // "1+2" with a single visible part
    ViewState view;
    PageTables tables = buildPageTables(score, view);
    EXPECT_EQ(tables.chorusCount, 0);
    EXPECT_EQ(tables.stavesPerSystem, 1);
    score.partCount = 6;
    for (int part = 1; part <= 6; ++part) score.part(part).visible = true;
    view.rowsPerPage = 4;  // more staves than rows
    tables = buildPageTables(score, view);
    EXPECT_EQ(tables.stavesPerSystem, 5);
    EXPECT_EQ(tables.systemsPerPage, 1);
    EXPECT_GT(tables.pageLen, 0);
    for (int part = 1; part <= 6; ++part) score.part(part).visible = false;
    tables = buildPageTables(score, view);
    EXPECT_EQ(tables.visibleCount, 0);
    EXPECT_EQ(tables.stavesPerSystem, 1);
}

TEST(PageGeometry, CoordinateFormulas) {
    model::Score score;
    ViewState view;
    view.topMargin = 0;
    PageTables tables = buildPageTables(score, view);
    PageGeometry g(score, view, tables);
    EXPECT_DOUBLE_EQ(g.headWidth(), 20);
    // (0.985 × 990 − 20 × 2 − 2 × 4 × 10) / (2 × 4 × 16)
    const double sixteenth = (0.985 * 990 - 40 - 80) / 128.0;
    EXPECT_DOUBLE_EQ(g.sixteenthWidth(), sixteenth);
    EXPECT_DOUBLE_EQ(g.measureWidth(), 16 * sixteenth + 10);
    EXPECT_DOUBLE_EQ(g.noteX(1, 0), 2 * (20 + 7));
    EXPECT_DOUBLE_EQ(g.noteX(2, 12), 2 * (27 + g.measureWidth() + 12 * sixteenth / 3));
    EXPECT_EQ(g.barX(1), px(2 * (20 + g.measureWidth())));
    EXPECT_EQ(g.staffLeftX(), 4);
    EXPECT_DOUBLE_EQ(g.staffBase(1), 0);
    EXPECT_DOUBLE_EQ(g.staffBase(3), 2 * 2 * 42);
    EXPECT_EQ(PageGeometry::stepIndex(17, false), 10);  // e1 on the bottom line of the G clef
    EXPECT_EQ(PageGeometry::stepIndex(5, true), 10);    // g- on the bottom line of the F clef
    EXPECT_DOUBLE_EQ(g.stepOffset(10), 2 * (27 - 15 - 0.7));
    g.fitLine(2);
    EXPECT_GT(g.sixteenthWidth(), sixteenth);  // fewer measures, wider measures
}

TEST(PageGeometry, HeadWidthGrowsWithTheSignature) {
    EXPECT_DOUBLE_EQ(model::headWidth(7), 41);
    EXPECT_DOUBLE_EQ(model::headWidth(0), 20);
    EXPECT_EQ(px(2.5), 3);
    EXPECT_EQ(px(-2.5), -3);
}

TEST(PageTables, PositionsToLines) {
    model::Score score;
    ViewState view;
    view.rowsPerPage = 3;  // three lines a page
    PageTables tables = buildPageTables(score, view);
    auto at = posToLine(tables, 48, 0);
    EXPECT_EQ(at.measure, 1);
    EXPECT_EQ(at.offset, 0);
    EXPECT_EQ(at.line, 0);
    at = posToLine(tables, 48, 4 * 48 + 50);  // line 2, second measure, 2 units in
    EXPECT_EQ(at.measure, 2);
    EXPECT_EQ(at.offset, 2);
    EXPECT_EQ(at.line, 1);
    at = posToLine(tables, 48, 3 * 4 * 48);  // the first line of page 2
    EXPECT_EQ(at.line, 0);
    at = posToLine(tables, 48, 256 * 4 * 48);  // beyond the table
    EXPECT_EQ(at.line, -1);
    EXPECT_EQ(at.measure, 1);
    EXPECT_EQ(at.offset, 1);
}
