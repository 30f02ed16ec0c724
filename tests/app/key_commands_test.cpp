// Every key of the key table, sent through Qt to the score view in each mode it belongs to,
// reaches a command: the score, the mode, the view or the edit state changes.
#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>

#include "edit/edit_mode.h"
#include "edit/key_table.h"
#include "main_window_fixture.h"
#include "model/score_writer.h"
#include "render/page_geometry.h"
#include "render/page_tables.h"

namespace {

using namespace shinofu;
using shinofu::testing::kDemo;
using shinofu::testing::MainWindowTest;

Qt::Key qtKey(int code) {
    switch (code) {
    case edit::kKeyLeft: return Qt::Key_Left;
    case edit::kKeyUp: return Qt::Key_Up;
    case edit::kKeyRight: return Qt::Key_Right;
    case edit::kKeyDown: return Qt::Key_Down;
    case edit::kKeyInsert: return Qt::Key_Insert;
    case edit::kKeyDelete: return Qt::Key_Delete;
    default: break;
    }
    if (code >= '0' && code <= '9') return static_cast<Qt::Key>(Qt::Key_0 + (code - '0'));
    return static_cast<Qt::Key>(Qt::Key_A + (code - 'A'));
}

// What a key can change, in one comparable picture.
struct Observed {
    std::vector<std::string> lines;
    int mode;
    int originX, originY, page;
    int inputLen;
    bool qPrefix, hold;
    int selected;
    bool clip;
    bool operator==(const Observed&) const = default;
};

class KeyCommands : public MainWindowTest {
protected:
    KeyCommands() : MainWindowTest("keys") {}

    QPoint headOf(int measure, int position, int step) {
        const render::PageTables tables = render::buildPageTables(session_.score, session_.view);
        render::PageGeometry g(session_.score, session_.view, tables);
        g.selectLine(1);
        const double u = session_.view.drawUnit();
        return QPoint(static_cast<int>(g.noteX(measure, position) + 2 * u),
                      static_cast<int>(g.staffBase(1) + (24 - 1.5 * step) * u));
    }
    void click(QPoint at) { QTest::mouseClick(window_->scoreView(), Qt::LeftButton, Qt::NoModifier, at); }
    Observed observe() {
        int selected = 0;
        for (const model::TNote* n = session_.score.part(1).partHead; n && !n->isEndMarker(); n = n->next) selected += n->selected;
        return {model::scoreFileLines(session_.score), session_.edit.editMode, session_.view.originX, session_.view.originY,
                session_.view.curPage, session_.edit.inputLen, session_.edit.qPrefix, session_.edit.selectionHold, selected,
                !session_.edit.clip.empty()};
    }
    // The demo with the window in the mode: a picked note (mode 4), a picked measure (mode 3),
    // entry at the part's end (6), after the second note (7) or before it (8).
    void enterMode(int mode, const edit::KeyBinding& binding) {
        start();
        window_->openAtStart(kDemo);
        const QPoint second = headOf(4, 12, 17);  // the beamed e2 of measure 4
        switch (mode) {
        case edit::kNoteEditMode:
            click(second);
            click(second);
            if (binding.qPrefix == 1) QTest::keyClick(window_->scoreView(), Qt::Key_Q, Qt::ControlModifier);
            break;
        case edit::kMeasureEditMode:
            trigger({"小節編集&M", "小節編集モードに &M"});
            click(second);
            // Pasting needs measures on the clip, and another measure to go over.
            if (binding.key == 'V') {
                QTest::keyClick(window_->scoreView(), Qt::Key_C, Qt::ControlModifier);
                click(headOf(1, 12, 18));
            }
            break;
        case edit::kNewMode: trigger({"音符編集&N", "追加&A"}); break;
        case edit::kInsertMode:
            click(second);
            click(second);
            QTest::keyClick(window_->scoreView(), Qt::Key_Insert);
            break;
        case edit::kInsertOnceMode:
            click(second);
            click(second);
            trigger({"音符編集&N", "挿入 &I"});
            break;
        default:
            QTest::keyClick(window_->scoreView(), Qt::Key_Space);
            // Zoomed in and scrolled to the middle, so the view can move every way.
            session_.view.zoom = 2.0;
            session_.view.originX = session_.view.originY = 200;
            break;
        }
        ASSERT_EQ(session_.edit.editMode, mode);
        session_.edit.inputLen = 1;  // a length no value key chooses
    }
};

TEST_F(KeyCommands, EveryKeyOfTheTableReachesItsCommandInEachOfItsModes) {
    int sent = 0;
    for (const edit::KeyBinding& binding : edit::keyTable()) {
        // Undo and redo need steps first (NoteEditing.EveryActionIsOneStepToUndoAndRedoBackToTheSavedState),
        // saving a file (MainWindowTest.OverwriteSaveAndTheQuestionsSaveAndCancel).
        if (binding.description == "元に戻す" || binding.description == "やり直し" || binding.description == "上書き保存") {
            continue;
        }
        for (int mode : binding.modes) {
            SCOPED_TRACE(binding.description + " in mode " + std::to_string(mode));
            enterMode(mode, binding);
            if (::testing::Test::HasFatalFailure()) return;
            const Observed before = observe();
            Qt::KeyboardModifiers modifiers = Qt::NoModifier;
            if (binding.shift) modifiers |= Qt::ShiftModifier;
            if (binding.ctrl) modifiers |= Qt::ControlModifier;
            QTest::keyClick(window_->scoreView(), qtKey(binding.key), modifiers);
            EXPECT_FALSE(observe() == before) << "key " << binding.key;
            window_.reset();
            ++sent;
        }
    }
    EXPECT_GT(sent, 60);
}

TEST_F(KeyCommands, AMelodyTypedByLettersAndDigits) {
    start();
    trigger({"ファイル&F", "新規作成&N"});
    for (Qt::Key key : {Qt::Key_4, Qt::Key_G, Qt::Key_E, Qt::Key_8, Qt::Key_D, Qt::Key_C, Qt::Key_2, Qt::Key_D}) {
        QTest::keyClick(window_->scoreView(), key);
    }
    QTest::keyClick(window_->scoreView(), Qt::Key_C, Qt::ShiftModifier);  // an octave up
    QTest::keyClick(window_->scoreView(), Qt::Key_0);                     // a half rest
    QTest::keyClick(window_->scoreView(), Qt::Key_Escape);
    std::string items;
    for (const model::TNote* n = session_.score.part(1).partHead; n && !n->isEndMarker(); n = n->next) {
        items += (items.empty() ? "" : ",") + model::noteItem(*n, false);
    }
    EXPECT_EQ(items, "g1 n n 96 u,e1 n n 96 u,d1 n n 48 u,c1 n n 48 u,d1 n n 192 u,c2 n n 192 d,rest n n 192 u");
    EXPECT_EQ(session_.edit.editMode, edit::kEditMode);
}

}  // namespace
