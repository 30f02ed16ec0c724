// The note palette and the input panel driven by clicks on their cells, on the offscreen platform.
#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>
#include <QToolButton>

#include "app/input_panel.h"
#include "app/palette_window.h"
#include "edit/edit_mode.h"
#include "edit/palette_commands.h"
#include "main_window_fixture.h"
#include "model/score_reader.h"
#include "model/score_writer.h"
#include "render/page_geometry.h"
#include "render/page_tables.h"

namespace {

using namespace shinofu;
using app::PaletteWindow;
using Area = PaletteWindow::Area;
using shinofu::testing::kDemo;
using shinofu::testing::MainWindowTest;

class PaletteClicks : public MainWindowTest {
protected:
    PaletteClicks() : MainWindowTest("palette") {}

    PaletteWindow& palette() { return *window_->findChild<PaletteWindow*>("TOni2Form"); }
    app::InputPanel& panel() { return *window_->findChild<app::InputPanel*>("ToniForm"); }
    void press(Area area, int index, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers modifiers = {}) {
        QTest::mouseClick(&palette(), button, modifiers, PaletteWindow::centreOf({area, index}));
    }
    // Picks the demo's second note (d2 at position 12 of measure 1) as two presses do.
    void pickSecondNote() {
        const render::PageTables tables = render::buildPageTables(session_.score, session_.view);
        render::PageGeometry g(session_.score, session_.view, tables);
        g.selectLine(1);
        const double u = session_.view.drawUnit();
        const QPoint at(static_cast<int>(g.noteX(1, 12) + 2 * u), static_cast<int>(g.staffBase(1) + (24 - 1.5 * 18) * u));
        QTest::mouseClick(window_->scoreView(), Qt::LeftButton, Qt::NoModifier, at);
        QTest::mouseClick(window_->scoreView(), Qt::LeftButton, Qt::NoModifier, at);
        ASSERT_NE(session_.edit.curNote, nullptr);
    }
    model::TNote& second() { return *session_.score.part(1).partHead->next; }
    void clearBeamsOfMeasure() {
        for (model::TNote* n = session_.score.part(1).partHead; n && !n->isEndMarker(); n = n->next) n->beam = model::kNoRole;
    }
    // The pick a second press makes, set directly: the note current and selected, note editing.
    void pick(model::TNote& note) {
        for (model::TNote* n = session_.score.part(1).partHead; n; n = n->next) n->selected = false;
        note.selected = true;
        session_.edit.curNote = &note;
        session_.edit.editMode = edit::kNoteEditMode;
    }
};

TEST_F(PaletteClicks, ValueCellsAndModeButtons) {
    start();
    window_->openAtStart(kDemo);
    static const int kLengths[] = {48, 36, 24, 18, 12, 9, 6, 3, 48, 24, 12, 6, 3, 8, 4, 2};
    for (int cell = 0; cell < 16; ++cell) {
        press(Area::Values, cell);
        EXPECT_EQ(session_.edit.valueCell, cell);
        EXPECT_EQ(session_.edit.inputLen, kLengths[cell]) << cell;
    }
    pickSecondNote();
    press(Area::Values, 11);  // the eighth rest on the picked quarter: a rest of the same length
    EXPECT_EQ(second().pitch, model::kRest);
    EXPECT_EQ(second().len, 12);

    press(Area::Modes, 0);
    EXPECT_EQ(session_.edit.editMode, edit::kNewMode);
    EXPECT_EQ(session_.edit.modeButton, 0);
    press(Area::Modes, 1);  // leaves add mode first, then pointer insertion
    EXPECT_EQ(session_.edit.editMode, edit::kPointerInsertMode);
    press(Area::Modes, 2);
    EXPECT_EQ(session_.edit.editMode, edit::kOverwriteMode);
    press(Area::Modes, 2, Qt::RightButton);
    EXPECT_EQ(session_.edit.editMode, edit::kEditMode);
    EXPECT_EQ(session_.edit.modeButton, edit::kNoModeButton);
}

TEST_F(PaletteClicks, AccidentalAndEditBarsActOnThePickedNote) {
    start();
    window_->openAtStart(kDemo);
    for (int cell = 0; cell < 5; ++cell) {
        pickSecondNote();
        press(Area::Accidentals, cell);
        EXPECT_EQ(second().accidental, cell);
    }
    pick(second());
    press(Area::Accidentals, 0, Qt::RightButton);
    EXPECT_EQ(second().accidental, model::kNoAccidental);
    pick(second());
    press(Area::Accidentals, 5);  // tied to the first note
    EXPECT_NE(second().tie, model::kNoRole);
    pick(*session_.score.part(1).partHead);  // a tie is cleared from the note it starts at
    press(Area::Accidentals, 5, Qt::RightButton);
    EXPECT_EQ(second().tie, model::kNoRole);
    pick(second());
    const bool stem = second().stemUp;
    press(Area::Accidentals, 7);
    EXPECT_NE(second().stemUp, stem);
    for (int cell : {8, 9, 10}) press(Area::Accidentals, cell);  // play, pause, stop: no sound device needed

    pick(second());
    press(Area::EditBar, 0);  // longer: 12 → 18
    EXPECT_EQ(second().len, 18);
    press(Area::EditBar, 1);
    EXPECT_EQ(second().len, 12);
    const uint8_t pitch = second().pitch;
    press(Area::EditBar, 2);
    EXPECT_EQ(second().pitch, pitch + 1);
    press(Area::EditBar, 3, Qt::LeftButton, Qt::ShiftModifier);  // an octave down
    EXPECT_EQ(second().pitch, pitch + 1 - 7);
    session_.edit.clickMeasNote = session_.score.part(1).partHead;  // measure 1 for the beam cells
    clearBeamsOfMeasure();
    press(Area::EditBar, 6);  // automatic beaming of the measure: its quarters stay unbeamed, but the command ran
    press(Area::EditBar, 7);
    EXPECT_EQ(second().beam, model::kNoRole);
    trigger({"音符編集&N", "追加&A"});
    press(Area::EditBar, 4);  // the display start moves on, add mode starts again at the end
    EXPECT_EQ(session_.edit.editMode, edit::kNewMode);
    EXPECT_NE(session_.view.displayStart[0], nullptr);
    press(Area::EditBar, 5);  // and back to the part's head
    EXPECT_TRUE(session_.view.displayStart[0] == nullptr || session_.view.displayStart[0] == session_.score.part(1).partHead);
    pick(second());
    press(Area::EditBar, 8);
    EXPECT_EQ(session_.edit.editMode, edit::kSymbolEditMode);
    press(Area::EditBar, 9);
    EXPECT_EQ(session_.edit.editMode, edit::kEditMode);
    press(Area::EditBar, 10);
    EXPECT_TRUE(palette().symbolPage());
}

TEST_F(PaletteClicks, SymbolGridAndLayoutBarThenSaveAndReopen) {
    start();
    window_->openAtStart(kDemo);
    press(Area::EditBar, 10);
    const size_t signs = session_.score.part(1).symbols.size();
    int marks = 0;
    pickSecondNote();  // also the measure the signs go to
    for (int cell = 0; cell < 32; ++cell) {
        if (PaletteWindow::hintOf({Area::Symbols, cell}).isEmpty()) continue;
        pick(second());
        press(Area::Symbols, cell);
        marks = static_cast<int>(session_.score.part(1).marks.size());
    }
    EXPECT_EQ(marks, 8 + 4 + 4);  // dynamics, hairpins, fermata, breath, rit, a tempo
    EXPECT_EQ(session_.score.part(1).symbols.size(), signs + 11);

    session_.view.fixedMode = true;
    // Every layout cell changes the view or the score.
    for (int cell = 0; cell < 10; ++cell) {
        const render::ViewState before = session_.view;
        const int measuresBefore = session_.score.song.measPerLine;
        press(Area::Layout, cell);
        const bool viewChanged = before.lineSpacing != session_.view.lineSpacing || before.rowsPerPage != session_.view.rowsPerPage ||
                                 before.noteSize != session_.view.noteSize || before.displayStart != session_.view.displayStart;
        EXPECT_TRUE(viewChanged || measuresBefore != session_.score.song.measPerLine) << "layout cell " << cell;
    }
    const int measures = session_.score.song.measPerLine;
    press(Area::Layout, 9);
    EXPECT_EQ(session_.score.song.measPerLine, measures + 1);
    press(Area::Layout, 0);
    EXPECT_EQ(session_.score.song.measPerLine, measures);
    const double size = session_.view.noteSize;
    press(Area::Layout, 6);
    EXPECT_GT(session_.view.noteSize, size);
    press(Area::Layout, 10);
    EXPECT_FALSE(palette().symbolPage());

    const std::vector<std::string> lines = model::scoreFileLines(session_.score);
    model::Score reread;
    model::readScore(lines, reread, {});
    EXPECT_EQ(model::scoreFileLines(reread), lines);
    EXPECT_EQ(reread.part(1).marks.size(), session_.score.part(1).marks.size());
}

TEST_F(PaletteClicks, ThePanelStaffEntersPitchesAndItsStripDocksThePalette) {
    start();
    trigger({"ファイル&F", "新規作成&N"});
    press(Area::Accidentals, 0);  // a sharp for the next entries
    for (int step : {2, 4, 6}) QTest::mouseClick(&panel(), Qt::LeftButton, {}, QPoint(70, app::InputPanel::yOfStep(step)));
    std::string items;
    for (const model::TNote* n = session_.score.part(1).partHead; n && !n->isEndMarker(); n = n->next) {
        items += (items.empty() ? "" : ",") + model::noteItem(*n, false);
    }
    EXPECT_EQ(items, "c1 # n 96 u,e1 # n 96 u,g1 # n 96 u");
    QTest::mouseClick(&panel(), Qt::LeftButton, {}, app::InputPanel::zoneCentre(2));
    EXPECT_TRUE(panel().fClef());
    QTest::mouseClick(&panel(), Qt::LeftButton, {}, app::InputPanel::zoneCentre(3));
    EXPECT_EQ(panel().dock(), app::InputPanel::Dock::Right);
    QTest::mouseClick(&panel(), Qt::LeftButton, {}, app::InputPanel::zoneCentre(1));
    EXPECT_EQ(panel().dock(), app::InputPanel::Dock::None);

    trigger({"表示&V", "音符選択フォーム表示", "表示"});
    EXPECT_TRUE(palette().isVisible());
    trigger({"pop-up", "音符パネル表示／非表示"});
    EXPECT_FALSE(palette().isVisible());
    EXPECT_FALSE(panel().isVisible());
    window_->tool("『音符選択』フォーム表示・非表示")->click();
    EXPECT_TRUE(palette().isVisible());
}

}  // namespace
