#include <gtest/gtest.h>

#include "model/pitch.h"
#include "render/beam_group.h"
#include "render_fixture.h"

using namespace shinofu;
using namespace shinofu::render;
using platform::RecordingCanvas;
using shinofu::testing::callsOf;
using shinofu::testing::pointsCall;
using shinofu::testing::readNotes;

namespace {

constexpr double u = 2.0;  // drawUnit of the default view

using Drawn = shinofu::testing::DrawnNotes;

int step(const char* name) { return PageGeometry::stepIndex(*model::pitchFromName(name), false); }

std::vector<BeamNote> notesAt(std::initializer_list<std::pair<int, int>> stepsAndOffsets) {
    std::vector<BeamNote> notes;
    for (auto [s, offset] : stepsAndOffsets) notes.push_back({0.0, s, offset, false, false});
    return notes;
}

}  // namespace

TEST(BeamLine, TwoNotesFarApartKeepThreeStepsOfSlopeAboutTheirMiddle) {
    EXPECT_EQ(beamLine(notesAt({{4, 0}, {12, 6}}), true), (std::vector<double>{6.5, 9.5}));
    EXPECT_EQ(beamLine(notesAt({{16, 0}, {8, 6}}), false), (std::vector<double>{13.5, 10.5}));
    EXPECT_EQ(beamLine(notesAt({{10, 0}, {12, 6}}), true), (std::vector<double>{10, 12}));
}

TEST(BeamLine, LongerGroupsFollowTheMeansOfTheirHalves) {
    // Means 11 and 15, slope cut to 3 about 13; every stem keeps its clearance.
    EXPECT_EQ(beamLine(notesAt({{10, 0}, {12, 6}, {14, 12}, {16, 18}}), true),
              (std::vector<double>{11.5, 12.5, 13.5, 14.5}));
    // With an odd count the middle note is left out of both means.
    EXPECT_EQ(beamLine(notesAt({{10, 0}, {17, 6}, {12, 12}}), false), (std::vector<double>{10, 11, 12}));
}

TEST(BeamLine, AHighInnerNoteLiftsAStemUpBeamAndALowOneLowersAStemDownBeam) {
    EXPECT_EQ(beamLine(notesAt({{10, 0}, {18, 6}, {10, 12}}), true), (std::vector<double>{16, 16, 16}));
    EXPECT_EQ(beamLine(notesAt({{18, 0}, {10, 6}, {18, 12}}), false), (std::vector<double>{12, 12, 12}));
}

TEST(BeamGroup, TwoEighthsStemUpDrawOneBeamAndStemsReachingIt) {
    Drawn d("e1 n rs 48 u,g1 n rf 48 u");
    const int s1 = step("e1");
    const int s2 = step("g1");
    const int x1 = px(d.x(1, 0)) + px(2.75 * u);
    const int x2 = px(d.x(1, 6)) + px(2.75 * u);
    auto beamTop = [&](double b) { return px(d.base() + (27 - 1.5 * b - 17.5) * u + 2 * u); };
    auto beamBottom = [&](double b) { return px(d.base() + (27 - 1.5 * b - 17.5) * u + 3.5 * u); };
    const auto polygons = callsOf(d.canvas, "polygon");
    ASSERT_EQ(polygons.size(), 1u);
    EXPECT_EQ(polygons[0], pointsCall("polygon", {{x1, beamTop(s1)}, {x1, beamBottom(s1)}, {x2, beamBottom(s2)},
                                                  {x2, beamTop(s2)}}));
    int stems = 0;
    for (const auto& line : d.canvas.lines) {
        for (auto [x, s] : {std::pair{x1, s1}, std::pair{x2, s2}}) {
            if (line.from.x == x && line.to.x == x) {
                ++stems;
                EXPECT_EQ(line.from.y, px(d.base() + (24 - 1.5 * s) * u));
                EXPECT_EQ(line.to.y, px(d.base() + (27 - 1.5 * s - 14.5) * u));
            }
        }
    }
    EXPECT_EQ(stems, 2);
}

TEST(BeamGroup, StemDownStemsStandLeftAndTheBeamHangsBelow) {
    Drawn d("d2 n rs 48 d,c2 n rf 48 d");
    const int x1 = px(d.x(1, 0)) + px(0.15 * u);
    const double reference = d.base() + (27 - 1.5 * step("d2") + 11.8) * u;
    const auto polygons = callsOf(d.canvas, "polygon");
    ASSERT_EQ(polygons.size(), 1u);
    EXPECT_EQ(polygons[0].rfind(pointsCall("polygon", {{x1, px(reference - 3.5 * u)}, {x1, px(reference - 2 * u)}}), 0),
              0u);
}

TEST(BeamGroup, SecondBeamsJoinSixteenthsAndStubALoneOne) {
    // A lone sixteenth between eighths gets a half-length stub towards the next note.
    Drawn lone("e1 n rs 48 u,e1 n rm 24 u,e1 n rf 48 u");
    auto polygons = callsOf(lone.canvas, "polygon");
    ASSERT_EQ(polygons.size(), 2u);
    const int x2 = px(lone.x(1, 6)) + px(2.75 * u);
    const int x3 = px(lone.x(1, 9)) + px(2.75 * u);
    const double stemEnd = lone.base() + (27 - 1.5 * step("e1") - 14.5) * u;
    EXPECT_EQ(polygons[1], pointsCall("polygon", {{x2, px(stemEnd + 2 * u)}, {x2, px(stemEnd + 3.5 * u)},
                                                  {(x2 + x3) / 2, px(stemEnd + 3.5 * u)},
                                                  {(x2 + x3) / 2, px(stemEnd + 2 * u)}}));
    // Four sixteenths: one second beam per neighbouring pair.
    Drawn four("e1 n rs 24 u,e1 n rm 24 u,e1 n rm 24 u,e1 n rf 24 u");
    EXPECT_EQ(callsOf(four.canvas, "polygon").size(), 4u);
    // A dotted eighth and a sixteenth: the stub at the end points back.
    Drawn dotted("e1 n rs 72 u,e1 n rf 24 u");
    polygons = callsOf(dotted.canvas, "polygon");
    ASSERT_EQ(polygons.size(), 2u);
    const int first = px(dotted.x(1, 0)) + px(2.75 * u);
    const int last = px(dotted.x(1, 9)) + px(2.75 * u);
    EXPECT_NE(polygons[1].find(" " + std::to_string((first + last) / 2) + ","), std::string::npos);
    EXPECT_NE(polygons[1].find(" " + std::to_string(last) + ","), std::string::npos);
}

TEST(BeamGroup, TripletBracketBowsOverTheStemEndsWithItsThree) {
    Drawn d("e1 n rs3s 32 u,e1 n rm3m 32 u,e1 n rf3f 32 u");
    const double head = (27 - 1.5 * step("e1") - 0.5) * u + d.base();
    const int y = px(head - 14.2 * u + 0.5 * u) - px(1.5 * u);
    const int x1 = px(d.x(1, 0)) + px(2.4 * u);
    const int x2 = px(d.x(1, 8) + 0.2 * u) + px(2.4 * u);
    const int c = y - px(3 * u);
    const auto beziers = callsOf(d.canvas, "bezier");
    ASSERT_EQ(beziers.size(), 1u);
    EXPECT_EQ(beziers[0], pointsCall("bezier", {{x1, y}, {x1 + px(0.48 * (x2 - x1)), c}, {x1 + px(0.52 * (x2 - x1)), c},
                                                {x2, y}}));
    bool three = false;
    for (const auto& text : d.canvas.texts) {
        if (text.text != "3") continue;
        three = true;
        EXPECT_EQ(text.at, (platform::Point{x1 + px(0.48 * (x2 - x1)), c - px(6 * u)}));
        EXPECT_EQ(text.font.height, px(6 * u));
        EXPECT_EQ(text.font.face, "ＭＳ ゴシック");
    }
    EXPECT_TRUE(three);
}

TEST(BeamGroup, UnbeamedTripletSpansItsLengthOnTheFirstNotesHeight) {
    Drawn d("g1 n 3s 64 u,a1 n 3m 64 u,b1 n 3f 64 d");
    PageGeometry g(d.score, d.view, d.tables);
    const double endX = d.x(1, 0) + 16 * g.sixteenthWidth() / 3 * u;
    const double head = (27 - 1.5 * step("g1") - 0.5) * u + d.base();
    const int y = px(head - 14.2 * u + 0.5 * u) - px(1.5 * u);
    const auto beziers = callsOf(d.canvas, "bezier");
    ASSERT_EQ(beziers.size(), 1u);
    const int x1 = px(d.x(1, 0)) + px(2.4 * u);
    const int x2 = px(endX) + px(2.4 * u);
    EXPECT_EQ(beziers[0].substr(beziers[0].rfind(' ') + 1), std::to_string(x2) + "," + std::to_string(y));
    EXPECT_EQ(beziers[0].rfind("bezier " + std::to_string(x1) + "," + std::to_string(y), 0), 0u);
    // No beam and no stems of its own: the quarter glyphs carry theirs.
    EXPECT_TRUE(callsOf(d.canvas, "polygon").empty());
}

TEST(BeamGroup, AGroupWithoutAnEndStopsAtTheLineEnd) {
    std::string notes = "e1 n rs 48 u";
    for (int i = 0; i < 200; ++i) notes += ",e1 n rm 48 u";
    Drawn d(notes);
    const auto polygons = callsOf(d.canvas, "polygon");
    ASSERT_FALSE(polygons.empty());
    PageGeometry g(d.score, d.view, d.tables);
    g.selectLine(1);
    const int lastX = polygons[0].rfind(' ') == std::string::npos ? 0 : std::stoi(polygons[0].substr(polygons[0].rfind(' ') + 1));
    EXPECT_LE(lastX, g.barX(g.measPerLine()));
}
