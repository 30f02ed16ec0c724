#include <gtest/gtest.h>

#include "edit/edit_mode.h"
#include "edit/note_picking.h"
#include "edit_fixture.h"
#include "render/page_geometry.h"

using namespace shinofu;
using namespace shinofu::edit;
using shinofu::testing::EditTest;

namespace {

class Picking : public EditTest {
protected:
    // The pixel of a note's head: its x and the middle of its staff step.
    render::ScoreHit hitAt(int line, int staff, int position, int step) {
        render::PageGeometry g(score_, view_, tables_);
        g.selectLine(line);
        const int measureLen = score_.measureLen();
        const double x = g.noteX(position / measureLen + 1, position % measureLen) + 2 * view_.drawUnit();
        const int row = (line - 1) * tables_.stavesPerSystem + staff;
        const double y = g.staffBase(row) + (24 - 1.5 * step) * view_.drawUnit();
        return render::hitToScore(score_, view_, tables_, static_cast<int>(x), static_cast<int>(y));
    }
    PressOutcome press(const render::ScoreHit& hit, PressModifiers modifiers = {}) {
        return pressOnScore(score_, view_, state_, tables_, hit, modifiers);
    }
};

}  // namespace

TEST_F(Picking, TheHitInvertsTheLayout) {
    read("c1 n n 96 u,d1 n n 96 u,e1 n n 96 u,f1 n n 96 u,g1 n n 384 u,a1 n n 384 u,b1 n n 384 u,c2 n n 384 u,"
         "d2 n n 96 d");
    const render::ScoreHit hit = hitAt(1, 1, 36, 13);  // f1, the fourth quarter of measure 1
    EXPECT_EQ(hit.line, 1);
    EXPECT_EQ(hit.measure, 1);
    EXPECT_EQ(hit.staff, 1);
    EXPECT_EQ(hit.part, 1);
    EXPECT_EQ(hit.step, 13);
    EXPECT_GE(hit.offset, 37);  // a press on the head lands some units after the note's start
    EXPECT_LT(hit.offset - 1 - 36, 12);
    const render::ScoreHit second = hitAt(2, 1, 0, 15);
    EXPECT_EQ(second.line, 2);
    EXPECT_EQ(second.measure, 1);
    // Half a row spacing below a staff base counts for the next row (round half away from zero).
    render::PageGeometry g(score_, view_, tables_);
    const double half = g.staffBase(1) + view_.lineSpacing * view_.drawUnit() / 2;
    EXPECT_EQ(render::hitToScore(score_, view_, tables_, 100, static_cast<int>(half)).line, 2);
    EXPECT_EQ(render::hitToScore(score_, view_, tables_, 100, static_cast<int>(half) - 1).line, 1);
}

TEST_F(Picking, TheSecondPressInAMeasurePicksTheNote) {
    read("c1 n n 96 u,d1 n n 96 u,e1 n n 96 u,f1 n n 96 u,g1 n n 384 u");
    const render::ScoreHit onE = hitAt(1, 1, 24, 12);
    EXPECT_FALSE(press(onE).picked);
    EXPECT_EQ(state_.editMode, kEditMode);
    EXPECT_TRUE(view_.edit.shown);
    EXPECT_EQ(view_.edit.measure, 1);
    EXPECT_TRUE(press(onE).picked);
    EXPECT_EQ(state_.curNote, note(2));
    EXPECT_TRUE(note(2)->selected);
    EXPECT_EQ(state_.editMeasureNote, note(0));
    EXPECT_EQ(state_.editMode, kNoteEditMode);
    // In note editing a press in the same measure adds to the selection only with Ctrl.
    const render::ScoreHit onF = hitAt(1, 1, 36, 13);
    EXPECT_FALSE(press(onF).picked);
    EXPECT_TRUE(press(onF, {false, true}).picked);
    EXPECT_TRUE(note(2)->selected && note(3)->selected);
    // Another measure clears the selection and returns to editing.
    press(hitAt(1, 1, 48, 15));
    EXPECT_FALSE(note(2)->selected || note(3)->selected);
    EXPECT_EQ(state_.curNote, nullptr);
    EXPECT_EQ(state_.editMode, kEditMode);
}

TEST_F(Picking, PressesOffThePageNeverReachPastTheLists) {
    read("c1 n n 96 u,d1 n n 96 u");
    // Right of the last bar line: the part's end is picked.
    render::ScoreHit right = render::hitToScore(score_, view_, tables_, view_.viewWidth - 2, 160);
    EXPECT_GT(right.measure, 4);
    press(right);
    EXPECT_TRUE(press(right).picked);
    EXPECT_EQ(state_.curNote, note(1));
    EXPECT_FALSE(view_.edit.shown);
    // Below the last staff, above the first and far off: no part, nothing picked, no highlight.
    for (auto [x, y] : {std::pair{100, view_.viewHeight - 2}, std::pair{100, 21}, std::pair{-500, 40000}}) {
        const render::ScoreHit hit = render::hitToScore(score_, view_, tables_, x, y);
        press(hit);
        press(hit);
        EXPECT_FALSE(view_.edit.shown) << x << "," << y;
    }
    // An empty part picks nothing.
    read("");
    const render::ScoreHit empty = hitAt(1, 1, 0, 15);
    press(empty);
    EXPECT_FALSE(press(empty).picked);
}

TEST_F(Picking, APressUpToFourUnitsAfterANoteStillPicksIt) {
    read("c1 n n 48 u,d1 n n 48 u,e1 n n 48 u");
    model::TNote* head = score_.part(1).partHead;
    EXPECT_EQ(render::getPos(head, 0, 6 + 4).note, note(0));
    EXPECT_EQ(render::getPos(head, 0, 6 + 5).note, note(1));
    EXPECT_EQ(render::getPos(head, 0, 500).note, note(2));  // past the end: the last note
    EXPECT_EQ(render::getPos(head, 6, 10).measureFirst, note(1));
}

TEST_F(Picking, TheSymbolUnderThePointerIsFoundByItsRectangle) {
    render::PageItems items = {{render::ItemKind::Symbol, 1, 0, 10, 10, 50, 30}, {render::ItemKind::Mark, 2, 3, 40, 20, 90, 40}};
    EXPECT_EQ(render::getSymNum(items, 45, 25)->index, 0);  // the first that holds the point
    EXPECT_EQ(render::getSymNum(items, 60, 35)->part, 2);
    EXPECT_FALSE(render::getSymNum(items, 5, 5));
}
