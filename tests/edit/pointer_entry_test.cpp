#include "edit/pointer_entry.h"

#include <gtest/gtest.h>

#include <cmath>

#include "edit/edit_mode.h"
#include "edit/note_commands.h"
#include "render/page_geometry.h"
#include "edit_fixture.h"

namespace {

using namespace shinofu;
using edit::PointerOutcome;

class PointerEntry : public shinofu::testing::EditTest {
protected:
    PointerOutcome enter(uint8_t pitch, int position = 0, uint8_t accidental = model::kNoAccidental) {
        return edit::enterAtPointer(score_, view_, state_, {pitch, position}, accidental);
    }
    // Overwrite or pointer insertion in the measure that begins with record `first`.
    void openOn(int mode, int first) {
        state_.editMode = mode;
        state_.clickMeasNote = note(first);
    }
    // The hit of a press on the first line's staff at a step, a little right of where a note at
    // `position` of the measure stands.
    render::ScoreHit hitAt(int step, double position, int measure = 1) {
        tables_ = render::buildPageTables(score_, view_);
        render::PageGeometry g(score_, view_, tables_);
        g.selectLine(1);
        const double u = view_.drawUnit();
        const int x = static_cast<int>(g.noteX(measure, position) + 2 * u);
        const int y = static_cast<int>(std::lround(g.staffBase(1) + (24 - 1.5 * step) * u));
        return render::hitToScore(score_, view_, tables_, x, y);
    }
    edit::PointerNote at(int step, double position, bool rest = false) {
        return edit::pointerNote(score_, view_, tables_, hitAt(step, position), rest);
    }
};

TEST_F(PointerEntry, ThePitchComesFromTheStepAndThePositionSnapsToTheGrid) {
    read("c1 n n 384 u");
    EXPECT_EQ(at(10, 0).pitch, 17);  // e1 on the bottom line
    EXPECT_EQ(at(18, 0).pitch, 25);  // f2 on the top line
    EXPECT_EQ(at(14, 0, true).pitch, model::kRest);
    score_.part(1).fClef = true;
    EXPECT_EQ(at(10, 0).pitch, 5);  // g on the bass clef's bottom line
    EXPECT_EQ(at(5, 0).pitch, 1);   // never below the lowest pitch
    EXPECT_EQ(at(10, 0).position, 0);
    EXPECT_EQ(at(10, 12).position, 12);
    EXPECT_EQ(at(10, 13).position, 12);  // to the nearest sixteenth
    EXPECT_EQ(at(10, 20).position, 21);
    view_.gridDiv = 6;  // triplet grids snap to a third of an eighth
    EXPECT_EQ(at(10, 4).position, 4);
    EXPECT_EQ(at(10, 6).position, 6);
    EXPECT_EQ(at(10, 8).position, 8);
}

TEST_F(PointerEntry, AddModeFillsMeasuresAndShortensTheNoteThatWouldOverfillOne) {
    read("c1 n n 288 u");  // 36 units of 48
    edit::startAddMode(score_, view_, state_, tables_);
    state_.inputLen = 48;
    EXPECT_EQ(enter(19), PointerOutcome::MeasureComplete);
    EXPECT_EQ(items(), "c1 n n 288 u,g1 n n 96 u");
    EXPECT_EQ(state_.measFill, 0);
    state_.inputLen = 12;
    EXPECT_EQ(enter(22, 0, model::kSharp), PointerOutcome::Entered);
    EXPECT_EQ(enter(21), PointerOutcome::Entered);
    EXPECT_EQ(enter(0), PointerOutcome::Entered);  // a rest
    EXPECT_EQ(enter(15), PointerOutcome::MeasureComplete);
    EXPECT_EQ(items(), "c1 n n 288 u,g1 n n 96 u,c2 # n 96 d,b1 n n 96 d,rest n n 96 u,c1 n n 96 u");
    EXPECT_EQ(state_.curNote, note(5));
    EXPECT_FALSE(score_.saved);
    EXPECT_TRUE(state_.entryTarget->isEndMarker());
}

TEST_F(PointerEntry, OverwriteSplitsOrConsumesWhatIsThere) {
    read("c1 n n 96 u,d1 n n 48 u,e1 n n 96 u,f1 n n 144 u");
    openOn(edit::kOverwriteMode, 0);
    state_.inputLen = 6;  // an eighth over the quarter at 0
    EXPECT_EQ(enter(22, 0), PointerOutcome::Entered);
    // The measure is beamed again: the three eighths of the first half form one group.
    EXPECT_EQ(items(), "c2 n rs 48 d,c1 n rm 48 d,d1 n rf 48 d,e1 n n 96 u,f1 n n 144 u");
    state_.inputLen = 12;  // a quarter over the eighth d1 at 12 and half the quarter e1
    EXPECT_EQ(enter(19, 12), PointerOutcome::Entered);
    EXPECT_EQ(items(), "c2 n rs 48 d,c1 n rf 48 d,g1 n n 96 u,e1 n n 48 u,f1 n n 144 u");
    EXPECT_EQ(state_.curNote, note(2));
    state_.inputLen = 6;  // inside a note: it splits at the position first
    EXPECT_EQ(enter(15, 33), PointerOutcome::Entered);
    EXPECT_EQ(items(), "c2 n rs 48 d,c1 n rf 48 d,g1 n n 96 u,e1 n rs 48 u,f1 n rm 24 u,c1 n rm 48 u,f1 n rf 72 u");
}

TEST_F(PointerEntry, OverwriteAtThePartsEndShortensOrAppendsAndPastItEnds) {
    read("c1 n n 96 u,d1 n n 96 u");
    openOn(edit::kOverwriteMode, 0);
    state_.inputLen = 48;  // more than the part holds from position 12
    EXPECT_EQ(enter(19, 12), PointerOutcome::Entered);
    EXPECT_EQ(items(), "c1 n n 96 u,g1 n n 96 u");
    state_.inputLen = 12;  // right after the last note: appended
    EXPECT_EQ(enter(21, 24), PointerOutcome::Entered);
    EXPECT_EQ(items(), "c1 n n 96 u,g1 n n 96 u,b1 n n 96 d");
    EXPECT_EQ(enter(21, 45), PointerOutcome::Ended);  // past the end
    EXPECT_EQ(items(), "c1 n n 96 u,g1 n n 96 u,b1 n n 96 d");
}

TEST_F(PointerEntry, PointerInsertionPutsTheNoteInFront) {
    read("c1 n n 96 u,d1 n n 96 u");
    openOn(edit::kPointerInsertMode, 0);
    state_.inputLen = 6;
    EXPECT_EQ(enter(19, 0), PointerOutcome::Entered);
    EXPECT_EQ(items(), "g1 n n 48 u,c1 n n 96 u,d1 n n 96 u");
    EXPECT_EQ(score_.part(1).partHead, note(0));
    EXPECT_EQ(view_.displayStart[0], note(0));
    EXPECT_EQ(enter(22, 18), PointerOutcome::Entered);  // in front of d1 (at 6 + 12)
    EXPECT_EQ(items(), "g1 n n 48 u,c1 n n 96 u,c2 n n 48 d,d1 n n 96 u");
    EXPECT_EQ(enter(22, 36), PointerOutcome::Ignored);  // the end of the part: nothing to insert before
    state_.editMode = edit::kEditMode;
    EXPECT_EQ(enter(22, 0), PointerOutcome::Ignored);
}

}  // namespace
