#include "edit/palette_commands.h"

#include <gtest/gtest.h>

#include "edit/edit_mode.h"
#include "edit/note_commands.h"
#include "edit/pointer_entry.h"
#include "edit_fixture.h"

namespace {

using namespace shinofu;
using edit::EditBarClick;

class Palette : public shinofu::testing::EditTest {};

TEST_F(Palette, ValueCellsChooseTheLengthAndRestCellsActAtOnce) {
    read("c1 n n 96 u,d1 n n 48 u,e1 n n 48 u");
    EXPECT_FALSE(edit::chooseValueCell(score_, view_, state_, 0));
    EXPECT_EQ(state_.inputLen, 48);
    score_.song.meterIndex = 4;  // 6/8: a full measure is 36
    EXPECT_EQ(edit::valueCellLength(score_, 0), 36);
    EXPECT_EQ(edit::valueCellLength(score_, 8), 36);
    score_.song.meterIndex = 0;
    EXPECT_EQ(edit::valueCellLength(score_, 13), 8);
    EXPECT_EQ(edit::valueCellLength(score_, 15), 2);

    pick(1);  // the eighth d1
    EXPECT_TRUE(edit::chooseValueCell(score_, view_, state_, 11));  // the eighth rest: the note becomes a rest
    EXPECT_EQ(items(), "c1 n n 96 u,rest n n 48 u,e1 n n 48 u");
    EXPECT_EQ(state_.valueCell, 11);

    edit::startAddMode(score_, view_, state_, tables_);
    EXPECT_TRUE(edit::chooseValueCell(score_, view_, state_, 10));  // a quarter rest appended
    EXPECT_EQ(items(), "c1 n n 96 u,rest n n 48 u,e1 n n 48 u,rest n n 96 u");
    EXPECT_EQ(state_.measFill, 36);
}

TEST_F(Palette, LengthsWalkTheDottedLadderAndRestsDoubleAndHalve) {
    EXPECT_EQ(edit::longerLength(9, false), 12);
    EXPECT_EQ(edit::shorterLength(12, false), 9);
    EXPECT_EQ(edit::shorterLength(12, true), 6);
    EXPECT_EQ(edit::longerLength(6, true), 12);
    EXPECT_EQ(edit::longerLength(48, false), 48);  // off the ladder: stays
    EXPECT_EQ(edit::shorterLength(10, false), 10);

    read("c1 n n 72 u,d1 n n 96 u");
    pick(0);
    EXPECT_TRUE(edit::editBarCell(score_, view_, state_, {0}));
    EXPECT_EQ(items(), "c1 n n 96 u,d1 n n 96 u");
    EXPECT_TRUE(edit::editBarCell(score_, view_, state_, {2}));  // a step up
    EXPECT_EQ(items(), "d1 n n 96 u,d1 n n 96 u");
    edit::editBarCell(score_, view_, state_, {0, true});  // Shift: the selection grows to the next note
    EXPECT_EQ(state_.curNote, note(1));
    EXPECT_TRUE(note(0)->selected && note(1)->selected);
    EXPECT_TRUE(edit::editBarCell(score_, view_, state_, {3, true}));  // Shift: both an octave down
    EXPECT_EQ(items(), "d0 n n 96 u,d0 n n 96 u");
    edit::editBarCell(score_, view_, state_, {1, false, true});  // Ctrl: the pick moves back
    EXPECT_EQ(state_.curNote, note(0));
    EXPECT_FALSE(note(1)->selected);
}

TEST_F(Palette, TheAccidentalBarMarksTheSelectionOrThePointersNextNote) {
    read("c1 n n 96 u,d1 n n 96 u");
    pick(0);
    EXPECT_TRUE(edit::accidentalBarCell(score_, state_, 0, false));  // sharp on the picked note
    EXPECT_EQ(items(), "c1 # n 96 u,d1 n n 96 u");
    EXPECT_EQ(state_.paletteAccidental, model::kNoAccidental);
    EXPECT_TRUE(edit::accidentalBarCell(score_, state_, 2, true));  // right click: removed
    EXPECT_EQ(items(), "c1 n n 96 u,d1 n n 96 u");

    read("c1 n n 96 u,e1 f n 96 u");
    edit::startAddMode(score_, view_, state_, tables_);
    EXPECT_FALSE(edit::accidentalBarCell(score_, state_, 1, false));  // flat for the next entry
    edit::enterAtPointer(score_, view_, state_, {17, 0}, state_.paletteAccidental);
    EXPECT_EQ(items(), "c1 n n 96 u,e1 f n 96 u,e1 f n 96 u");
    EXPECT_TRUE(edit::accidentalBarCell(score_, state_, 5, false));  // a tie to the note before, entry goes on
    EXPECT_EQ(state_.editMode, edit::kNewMode);
    EXPECT_TRUE(state_.entryTarget->isEndMarker());
}

TEST_F(Palette, SymbolGridAndLayoutBar) {
    read("c1 n n 96 u,d1 n n 96 u");
    pick(1);
    EXPECT_TRUE(edit::symbolGridCell(score_, view_, state_, 0, 4));  // mf
    EXPECT_EQ(score_.part(1).marks.back().dynamics, 5);
    pick(1);
    EXPECT_TRUE(edit::symbolGridCell(score_, view_, state_, 2, 0));  // fermata
    EXPECT_TRUE(score_.part(1).marks.back().fermata);
    EXPECT_FALSE(edit::symbolGridCell(score_, view_, state_, 3, 0));  // an empty cell
    state_.click = edit::ClickedMeasure{{1, 1, 1, 1, 1, 10}, 0};
    EXPECT_TRUE(edit::symbolGridCell(score_, view_, state_, 2, 3));  // D.C.
    EXPECT_EQ(score_.part(1).symbols.back().kind, model::kDaCapo);

    EXPECT_FALSE(edit::layoutBarCell(score_, view_, 9, false));  // only in the fixed-measure view
    view_.fixedMode = true;
    EXPECT_TRUE(edit::layoutBarCell(score_, view_, 9, false));
    EXPECT_EQ(score_.song.measPerLine, 5);
    view_.lineSpacing = 17;
    edit::layoutBarCell(score_, view_, 1, false);
    edit::layoutBarCell(score_, view_, 1, false);
    EXPECT_EQ(view_.lineSpacing, 24);  // below 16 it becomes 24
    view_.noteSize = 5.49;
    edit::layoutBarCell(score_, view_, 6, false);
    EXPECT_DOUBLE_EQ(view_.noteSize, edit::kLargestNoteSize);
    view_.noteSize = 1.01;
    edit::layoutBarCell(score_, view_, 3, false);
    EXPECT_DOUBLE_EQ(view_.noteSize, 1.0);
}

TEST_F(Palette, ThePanelStaffGivesPitchesByStep) {
    auto yOf = [](int step) { return static_cast<int>(138 - 7.5 * step); };
    EXPECT_EQ(edit::panelPitch(yOf(-5), false), 8);   // c0
    EXPECT_EQ(edit::panelPitch(yOf(1), false), 14);   // b0
    EXPECT_EQ(edit::panelPitch(yOf(2), false), 15);   // c1
    EXPECT_EQ(edit::panelPitch(yOf(0), true), 1);     // c- in the F clef
    EXPECT_EQ(edit::panelPitch(yOf(-1), true), std::nullopt);
    EXPECT_EQ(edit::panelPitch(180, false), std::nullopt);  // the docking buttons

    read("c1 n n 96 u");
    edit::startAddMode(score_, view_, state_, tables_);
    state_.paletteAccidental = model::kSharp;
    EXPECT_TRUE(edit::enterPanelPitch(score_, state_, 19));
    EXPECT_EQ(items(), "c1 n n 96 u,g1 # n 96 u");
}

}  // namespace
