#include <gtest/gtest.h>

#include "edit/beaming.h"
#include "edit_fixture.h"

using namespace shinofu;
using namespace shinofu::edit;
using shinofu::testing::EditTest;

namespace {

class Beaming : public EditTest {
protected:
    // The beam roles of the part as digits: "12231223".
    std::string beams() {
        std::string roles;
        for (const model::TNote* note : shinofu::testing::notesOf(score_, 1)) roles += static_cast<char>('0' + note->beam);
        return roles;
    }
    std::string triplets() {
        std::string roles;
        for (const model::TNote* note : shinofu::testing::notesOf(score_, 1)) roles += static_cast<char>('0' + note->triplet);
        return roles;
    }
    void beamFirstMeasure(bool perBeat, const char* meter = nullptr) {
        if (meter) score_.song.meterIndex = static_cast<uint8_t>(meter[0] - '0');
        beamMeasure(score_, score_.part(1).partHead, 0, perBeat);
    }
    std::string repeated(const char* item, int count) {
        std::string notes;
        for (int i = 0; i < count; ++i) notes += std::string(i ? "," : "") + item;
        return notes;
    }
};

}  // namespace

TEST_F(Beaming, EighthsGroupByTheSpanOfTheMeter) {
    read(repeated("c2 n n 48 d", 8));
    beamFirstMeasure(false);
    EXPECT_EQ(beams(), "12231223");
    read(repeated("c2 n n 48 d", 8));
    beamFirstMeasure(true);
    EXPECT_EQ(beams(), "13131313");
    read(repeated("c2 n n 48 d", 6));
    beamFirstMeasure(false, "4");  // 6/8
    EXPECT_EQ(beams(), "123123");
    EXPECT_EQ(beamSpan(score_, false), 18);
}

TEST_F(Beaming, RestsAndQuartersBreakGroups) {
    read("c2 n n 48 d,rest n n 48 u,c2 n n 48 d,c2 n n 48 d,c2 n n 48 d,c2 n n 96 d,c2 n n 48 d");
    beamFirstMeasure(false);
    // A lone eighth before the rest loses its start; the beat at 24 ends a group; no start before a quarter.
    EXPECT_EQ(beams(), "0013000");
}

TEST_F(Beaming, ANoteCrossingABeatIsSplitIntoTiedNotes) {
    read("c2 n n 24 d,d2 n n 48 d,e2 n n 72 d,f2 n n 48 d");
    beamFirstMeasure(true, "2");  // 2/4, a beam to each beat
    EXPECT_EQ(items(), "c2 n rs 24 d,d2 n rm 48 d,e2 n tsrf 24 d,e2 n tfrs 48 d,f2 n rf 48 d");
}

TEST_F(Beaming, TripletValuesGroupInThrees) {
    read("c2 n n 32 d,c2 n n 32 d,c2 n n 32 d,c2 n n 64 d,c2 n n 64 d,c2 n n 64 d,c2 n n 96 d");
    beamFirstMeasure(false);
    EXPECT_EQ(triplets(), "1231230");
    EXPECT_EQ(beams(), "1230000");  // quarter triplets keep their beams
}

TEST_F(Beaming, SelectionCommandsSetAndClearGroups) {
    read(repeated("c2 n n 48 d", 4) + ",c2 n n 48 u");
    for (int i : {1, 2, 3}) note(i)->selected = true;
    note(1)->stemUp = true;
    EXPECT_TRUE(setBeams(score_));
    EXPECT_EQ(beams(), "01230");
    EXPECT_TRUE(note(3)->stemUp);  // the group takes its first note's stem
    for (int i : {1, 2, 3}) note(i)->selected = false;
    note(1)->selected = true;
    EXPECT_TRUE(clearBeams(score_));
    EXPECT_EQ(beams(), "00000");
    note(1)->selected = false;
    note(0)->selected = true;
    EXPECT_TRUE(setTriplets(score_));
    EXPECT_EQ(note(0)->len, 4);
    read("c1 n n 384 u");
    note(0)->selected = true;
    setTriplets(score_);
    EXPECT_EQ(note(0)->len, 32);
    clearTriplets(score_);
    EXPECT_EQ(note(0)->len, 48);
    EXPECT_EQ(note(0)->triplet, 0);
}

TEST_F(Beaming, ReflowCutsAtBarLinesWithTiesAndBeamsAgain) {
    // A quarter inserted before four quarters: the last moves into the next measure.
    read("e1 n n 96 u,c1 n n 96 u,d1 n n 96 u,e1 n n 96 u,f1 n n 96 u");
    reflowPart(score_, score_.part(1).partHead, false);
    EXPECT_EQ(items(), "e1 n n 96 u,c1 n n 96 u,d1 n n 96 u,e1 n n 96 u,f1 n n 96 u");
    // A dotted quarter over the bar becomes two tied notes; tied notes are merged first.
    read("c1 n n 96 u,c1 n n 96 u,c1 n n 96 u,d1 n ts 48 u,d1 n tf 96 u,e1 n n 48 u,e1 n n 48 u");
    reflowPart(score_, score_.part(1).partHead, false);
    EXPECT_EQ(items(), "c1 n n 96 u,c1 n n 96 u,c1 n n 96 u,d1 n ts 96 u,d1 n tfrs 48 u,e1 n rm 48 u,e1 n rf 48 u");
}
