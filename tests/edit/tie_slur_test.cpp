#include <gtest/gtest.h>

#include "edit/tie_slur.h"
#include "edit_fixture.h"

using namespace shinofu;
using namespace shinofu::edit;
using shinofu::testing::EditTest;

namespace {

class TiesAndSlurs : public EditTest {
protected:
    std::string apply(const std::string& notes, std::initializer_list<int> selected, TieSlurOp op) {
        read(notes);
        for (int i : selected) note(i)->selected = true;
        applyTieSlur(score_, state_, op);
        return items();
    }
};

}  // namespace

TEST_F(TiesAndSlurs, SettingJoinsEachSelectedNoteWithTheOneBefore) {
    EXPECT_EQ(apply("c1 n n 96 u,c1 n n 96 u,c1 n n 96 u", {1, 2}, TieSlurOp::TieSet),
              "c1 n ts 96 u,c1 n tw 96 u,c1 n tf 96 u");
    EXPECT_EQ(state_.curveTarget, note(1));
    EXPECT_EQ(apply("c1 n n 96 u,d1 n n 96 u", {1}, TieSlurOp::SlurSet), "c1 n ss 96 u,d1 n sf 96 u");
    // Without a note before, nothing joins.
    EXPECT_EQ(apply("c1 n n 96 u,d1 n n 96 u", {0}, TieSlurOp::TieSet), "c1 n n 96 u,d1 n n 96 u");
    EXPECT_EQ(apply("c1 n n 96 u,d1 n n 96 u,e1 n n 96 u", {0}, TieSlurOp::SlurStart), "c1 n ss 96 u,d1 n n 96 u,e1 n n 96 u");
    EXPECT_EQ(apply("c1 n ss 96 u,d1 n n 96 u,e1 n n 96 u", {2}, TieSlurOp::SlurEnd), "c1 n ss 96 u,d1 n n 96 u,e1 n sf 96 u");
}

TEST_F(TiesAndSlurs, ATieJoinsOnlyNotesOfOneSound) {
    // G to A, and G♯ to the G natural after it: refused, nothing changed, the status bar says why.
    for (const char* notes : {"g1 n n 96 u,a1 n n 96 u", "g1 # n 96 u,g1 - n 96 u"}) {
        EXPECT_EQ(apply(notes, {1}, TieSlurOp::TieSet), notes);
        EXPECT_EQ(state_.notice, kTieBetweenPitchesNotice);
        state_.notice.clear();
    }
    // The same sound by the measure's carry, and a slur between different pitches, join.
    EXPECT_EQ(apply("g1 # n 96 u,g1 n n 96 u", {1}, TieSlurOp::TieSet), "g1 # ts 96 u,g1 n tf 96 u");
    EXPECT_EQ(apply("g1 n n 96 u,a1 n n 96 u", {1}, TieSlurOp::SlurSet), "g1 n ss 96 u,a1 n sf 96 u");
    EXPECT_TRUE(state_.notice.empty());
}

TEST_F(TiesAndSlurs, ClearingRemovesBothEndsAndKeepsAChainGoing) {
    EXPECT_EQ(apply("c1 n ts 96 u,c1 n tf 96 u", {0}, TieSlurOp::TieClear), "c1 n n 96 u,c1 n n 96 u");
    EXPECT_EQ(apply("c1 n ts 96 u,c1 n tw 96 u,c1 n tw 96 u,c1 n tf 96 u", {1}, TieSlurOp::TieClear),
              "c1 n ts 96 u,c1 n tf 96 u,c1 n ts 96 u,c1 n tf 96 u");
    EXPECT_EQ(apply("c1 n ss 96 u,d1 n n 96 u,e1 n sf 96 u,f1 n n 96 u", {0}, TieSlurOp::SlurClear),
              "c1 n n 96 u,d1 n n 96 u,e1 n n 96 u,f1 n n 96 u");
    // The end of a chained slur becomes the next slur's start.
    EXPECT_EQ(apply("c1 n ss 96 u,d1 n sw 96 u,e1 n sf 96 u", {0}, TieSlurOp::SlurClear),
              "c1 n n 96 u,d1 n ss 96 u,e1 n sf 96 u");
    EXPECT_EQ(apply("c1 n ts 96 u,c1 n tf 96 u,d1 n ss 96 u,e1 n sf 96 u", {0, 2}, TieSlurOp::TieOrSlurClear),
              "c1 n n 96 u,c1 n n 96 u,d1 n n 96 u,e1 n n 96 u");
}

TEST_F(TiesAndSlurs, SettingResetsTheCurveAdjustments) {
    read("c1 n ts-4+2+1 96 u,c1 n n 96 u");
    note(1)->selected = true;
    applyTieSlur(score_, state_, TieSlurOp::TieSet);
    EXPECT_EQ(note(0)->curveStart, 0);
    EXPECT_EQ(note(0)->curveMid, 0);
    EXPECT_EQ(note(0)->tie, model::kRoleEndAndStart);
}
