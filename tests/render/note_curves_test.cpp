#include <gtest/gtest.h>

#include "model/pitch.h"
#include "render_fixture.h"

using namespace shinofu;
using namespace shinofu::render;
using platform::RecordingCanvas;
using shinofu::testing::callsOf;
using shinofu::testing::pointsCall;
using shinofu::testing::readNotes;

namespace {

constexpr double u = 2.0;

using Drawn = shinofu::testing::DrawnNotes;

int step(const char* name) { return PageGeometry::stepIndex(*model::pitchFromName(name), false); }

// procSlur0: below a stem-up head, above a stem-down one, moved by the adjustment in half units.
platform::Point curveEnd(double x, int s, int adjustment, double base, bool stemUp) {
    const double head = (27 - 1.5 * s - 0.5) * u + base;
    const double y = stemUp ? head + (adjustment * 0.5 + 0.5) * u : head - (adjustment * 0.5 + 5.5) * u;
    return {px(x + 2.5 * u), px(y)};
}

std::string curve(platform::Point start, platform::Point end, int middle, bool endStemUp) {
    const int x0 = start.x + px(0.8 * u);
    const int x3 = end.x - px(0.8 * u);
    const int bend = px((middle * 0.5 + 3) * u);
    const int w = (start.y + end.y) / 2 + (endStemUp ? bend : -bend);
    return pointsCall("bezier", {{x0, start.y},
                                 {x0 + px((0.48 - 0.005 * middle) * (x3 - x0)), w},
                                 {x0 + px((0.52 + 0.005 * middle) * (x3 - x0)), w},
                                 {x3, end.y}});
}

}  // namespace

TEST(NoteCurves, SlurFromAStemUpNoteBendsBelowTheHeads) {
    Drawn d("e1 n ss 96 u,a1 n sm 96 u,g1 n sf 96 u");
    const auto beziers = callsOf(d.canvas, "bezier");
    ASSERT_EQ(beziers.size(), 1u);
    EXPECT_EQ(beziers[0], curve(curveEnd(d.x(1, 0), step("e1"), 0, d.base(), true),
                                curveEnd(d.x(1, 24), step("g1"), 0, d.base(), true), 0, true));
}

TEST(NoteCurves, AdjustmentsMoveTheEndsAndTheMiddle) {
    // The start note holds all three: a slur's end takes the end adjustment ...
    Drawn slur("e1 n ss-4+2+6 96 d,g1 n sf 96 d");
    auto beziers = callsOf(slur.canvas, "bezier");
    ASSERT_EQ(beziers.size(), 1u);
    EXPECT_EQ(beziers[0], curve(curveEnd(slur.x(1, 0), step("e1"), 4, slur.base(), false),
                                curveEnd(slur.x(1, 12), step("g1"), 6, slur.base(), false), 2, false));
    // ... a tie the start's at both ends.
    Drawn tie("g1 n ts-3+-2+6 96 u,g1 n tf 96 u");
    beziers = callsOf(tie.canvas, "bezier");
    ASSERT_EQ(beziers.size(), 1u);
    EXPECT_EQ(beziers[0], curve(curveEnd(tie.x(1, 0), step("g1"), 3, tie.base(), true),
                                curveEnd(tie.x(1, 12), step("g1"), 3, tie.base(), true), -2, true));
}

TEST(NoteCurves, WhereTheStemsDifferBothEndsKeepToTheEndNotesSide) {
    Drawn d("a1 n ss 96 u,d2 n sf 96 d");
    const auto beziers = callsOf(d.canvas, "bezier");
    ASSERT_EQ(beziers.size(), 1u);
    EXPECT_EQ(beziers[0], curve(curveEnd(d.x(1, 0), step("a1"), 0, d.base(), false),
                                curveEnd(d.x(1, 12), step("d2"), 0, d.base(), false), 0, false));
}

TEST(NoteCurves, ACurveWithoutAnEndDrawsNothing) {
    EXPECT_TRUE(callsOf(Drawn("e1 n ss 96 u,g1 n n 96 u,a1 n n 96 u").canvas, "bezier").empty());
    EXPECT_TRUE(callsOf(Drawn("e1 n ts 96 u").canvas, "bezier").empty());
    // Another curve's end in between: the later end belongs to no start.
    EXPECT_EQ(callsOf(Drawn("e1 n ss 96 u,g1 n sf 96 u,a1 n sf 96 u").canvas, "bezier").size(), 1u);
}

TEST(NoteCurves, EndAndStartAtOnceReachesTheNextEnd) {
    Drawn d("c2 n ts 96 d,c2 n tw 96 d,c2 n tf 192 d");
    const auto beziers = callsOf(d.canvas, "bezier");
    ASSERT_EQ(beziers.size(), 2u);
    const int s = step("c2");
    EXPECT_EQ(beziers[0], curve(curveEnd(d.x(1, 0), s, 0, d.base(), false), curveEnd(d.x(1, 12), s, 0, d.base(), false),
                                0, false));
    EXPECT_EQ(beziers[1], curve(curveEnd(d.x(1, 12), s, 0, d.base(), false), curveEnd(d.x(1, 24), s, 0, d.base(), false),
                                0, false));
}

TEST(NoteCurves, ACurveOverALineBreakIsDrawnInTwoOpenArcs) {
    // Four measures of 4/4 to a line: the slur leaves the last quarter of line 1.
    std::string notes;
    for (int i = 0; i < 15; ++i) notes += "c1 n n 96 u,";
    notes += "e1 n ss 96 u,g1 n sf 96 u";
    Drawn d(notes);
    const auto beziers = callsOf(d.canvas, "bezier");
    ASSERT_EQ(beziers.size(), 2u);
    PageGeometry g(d.score, d.view, d.tables);
    g.selectLine(1);
    const platform::Point start = curveEnd(d.x(1, 180), step("e1"), 0, d.base(1), true);
    EXPECT_EQ(beziers[0], curve(start, {g.barX(4) + px(2 * u), start.y}, 0, true));
    const platform::Point end = curveEnd(d.x(2, 0), step("g1"), 0, d.base(2), true);
    EXPECT_EQ(beziers[1], curve({px(d.x(2, 0) - 3 * u), end.y}, end, 0, true));
}

TEST(NoteCurves, ChorusDisplayDrawsCurvesInTheSecondVoiceColour) {
    model::Score score;
    readNotes(score, {}, {"e1 n ts 96 u,e1 n tf 96 u", "$START", "c1 n n 192 u"});
    score.chorusCount = 1;
    ViewState view;
    RecordingCanvas canvas;
    drawPage(canvas, score, view);
    bool found = false;
    for (size_t i = 0; i + 1 < canvas.calls.size(); ++i) {
        if (canvas.calls[i + 1].rfind("bezier", 0) == 0) {
            found = true;
            EXPECT_NE(canvas.calls[i].find("pen C0C0C0"), std::string::npos) << canvas.calls[i];
        }
    }
    EXPECT_TRUE(found);
}
