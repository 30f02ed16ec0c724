// The symbol and curve dialogs driven through their widgets.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include "app/curve_dialog.h"
#include "app/numeric_settings_window.h"
#include "app/symbol_dialog.h"
#include "edit/edit_mode.h"
#include "main_window_fixture.h"
#include "model/score_reader.h"
#include "model/score_writer.h"
#include "numeric/numeric_page_layout.h"

namespace {

using namespace shinofu;
using shinofu::testing::kDemo;
using shinofu::testing::MainWindowTest;

class Dialogs : public MainWindowTest {
protected:
    Dialogs() : MainWindowTest("dialogs") {}
    app::SymbolDialog& symbols() { return *window_->findChild<app::SymbolDialog*>("TsymEditForm"); }
    app::CurveDialog& curves() { return *window_->findChild<app::CurveDialog*>("TslurForm"); }
    QPushButton* button(QWidget& dialog, const QString& caption) {
        for (auto* b : dialog.findChildren<QPushButton*>()) {
            if (b->text() == caption) return b;
        }
        ADD_FAILURE() << caption.toStdString();
        return nullptr;
    }
    // A press in the middle of a drawn item of the shown page.
    void pressOnItem(render::ItemKind kind, int part, int index) {
        for (const render::ItemBounds& item : window_->pageItems()) {
            if (item.kind == kind && item.part == part && item.index == index) {
                QTest::mouseClick(window_->scoreView(), Qt::LeftButton, Qt::NoModifier,
                                  QPoint((item.left + item.right) / 2, (item.top + item.bottom) / 2));
                return;
            }
        }
        ADD_FAILURE() << "no such item on the page";
    }
};

TEST_F(Dialogs, TheSymbolDialogEditsWhatIsPickedInSymbolEditing) {
    start();
    window_->openAtStart(kDemo);
    trigger({"五線譜設定&S", "記号編集&Z"});
    EXPECT_EQ(window_->statusText("mode"), "<記号編集>");
    pressOnItem(render::ItemKind::Symbol, 1, model::kComposerSymbol);
    ASSERT_TRUE(symbols().isVisible());
    EXPECT_EQ(symbols().textField()->text(), "日本古謡");
    const model::TScoreSym& composer = session_.score.part(1).symbols[model::kComposerSymbol];
    const int size = composer.fontSize;
    symbols().sizeBox()->stepUp();
    EXPECT_EQ(composer.fontSize, size + 1);
    const int dy = composer.dy;
    symbols().verticalBox()->stepUp();  // up the page
    EXPECT_EQ(composer.dy, dy - 1);
    symbols().horizontalBox()->stepDown();
    symbols().textField()->setText("古謡");
    button(symbols(), "変更")->click();
    EXPECT_EQ(composer.text, "古謡");
    symbols().findChildren<QButtonGroup*>()[1]->button(3)->click();  // 太字斜体
    EXPECT_TRUE(composer.bold && composer.italic);

    // A new text at the position marker, then the composer deleted: the song data keeps its entry.
    button(symbols(), "位置表示")->click();
    EXPECT_FALSE(symbols().marker()->isHidden());
    symbols().marker()->move(100, 200);
    symbols().textField()->setText("ゆっくり");
    button(symbols(), "追加開始")->click();
    button(symbols(), "追加")->click();
    const model::TScoreSym& added = session_.score.part(1).symbols.back();
    EXPECT_EQ(added.text, "ゆっくり");
    EXPECT_EQ(added.dx, 50);
    button(symbols(), "削除")->click();
    EXPECT_EQ(session_.score.part(1).symbols[model::kComposerSymbol].text, " ");

    const std::vector<std::string> lines = model::scoreFileLines(session_.score);
    model::Score reread;
    model::readScore(lines, reread, {});
    EXPECT_EQ(model::scoreFileLines(reread), lines);
    EXPECT_EQ(reread.part(1).symbols.back().text, "ゆっくり");
    symbols().close();
    EXPECT_TRUE(symbols().marker()->isHidden());
}

TEST_F(Dialogs, OverlaySettingsFromFontSizeAndPosition) {
    start();
    window_->openAtStart(kDemo);
    trigger({"オプション(&O)", "フォントサイズ／位置"});
    EXPECT_EQ(session_.edit.editMode, edit::kOverlaySettingsMode);
    const double drop = session_.score.numeric.numDrop;
    symbols().verticalBox()->stepDown();
    EXPECT_NEAR(session_.score.numeric.numDrop, drop + 0.2, 1e-9);
    const double size = session_.score.numeric.numSizeRatio;
    symbols().sizeBox()->stepUp();
    EXPECT_GT(session_.score.numeric.numSizeRatio, size);
    symbols().findChildren<QButtonGroup*>()[1]->button(1)->click();  // 太字
    EXPECT_TRUE(session_.score.numeric.numBold);
}

TEST_F(Dialogs, TheCurveDialogMovesTheTargetsCurveOrSaysThereIsNone) {
    start();
    trigger({"ファイル&F", "新規作成&N"});
    trigger({"音符編集&N", "タイ、スラー", "タイ／スラー曲線設定"});
    EXPECT_FALSE(curves().notice()->text().isEmpty());
    EXPECT_FALSE(curves().box(0)->isEnabled());

    window_->openAtStart(kDemo);
    // The first slur of the demo: the curve belongs to the note it starts at.
    model::TNote* note = session_.score.part(1).partHead;
    int index = 0;
    while (note->slur != model::kRoleStart) {
        note = note->next;
        ++index;
    }
    session_.edit.curveTarget = note;
    trigger({"音符編集&N", "タイ、スラー", "タイ／スラー曲線設定"});
    EXPECT_TRUE(curves().notice()->text().isEmpty());
    curves().box(0)->setValue(5);
    curves().box(1)->setValue(-3);
    curves().box(2)->setValue(7);
    EXPECT_EQ(note->curveStart, 5);
    EXPECT_EQ(note->curveEnd, -3);
    EXPECT_EQ(note->curveMid, 7);
    EXPECT_FALSE(session_.score.saved);
    model::Score reread;
    model::readScore(model::scoreFileLines(session_.score), reread, {});
    const model::TNote* read = reread.part(1).partHead;
    for (int i = 0; i < index; ++i) read = read->next;
    EXPECT_EQ(read->curveStart, 5);
    EXPECT_EQ(read->curveEnd, -3);
    EXPECT_EQ(read->curveMid, 7);
}

}  // namespace

namespace {

TEST_F(Dialogs, NumericSettingsAreTakenAtOnceAndKeptWithTheScore) {
    start();
    window_->openAtStart(kDemo);
    trigger({"オプション(&O)", "数字譜設定&N"});
    auto* settings = window_->findChild<app::NumericSettingsWindow*>("TNScoreFrm");
    ASSERT_TRUE(settings->isVisible());
    auto choose = [&](const char* box, const QString& item) {
        QComboBox* combo = settings->box(box);
        const int index = combo->findText(item);
        ASSERT_GE(index, 0) << box;
        combo->setCurrentIndex(index);
        emit combo->activated(index);
        emit combo->textActivated(item);
    };
    choose("RowCbx", "16");
    choose("ColumnCbx", "4");
    choose("LnCbx", "6");
    choose("FontSzCbx", "やや小");
    choose("FntClCbx", "暗灰色");
    EXPECT_EQ(session_.score.numeric.rows, 16);
    EXPECT_EQ(session_.score.numeric.columns, 4);
    EXPECT_EQ(session_.score.numeric.tiers, 6);
    EXPECT_EQ(session_.score.numeric.fontSizeChoice, 3);
    EXPECT_EQ(session_.score.numeric.fontColorChoice, 1);
    choose("RLClCbx", "灰色");  // the same grey as 暗灰色, kept as its own choice
    EXPECT_EQ(session_.score.numeric.ruleColorChoice, 2);
    EXPECT_EQ(numeric::numericColour(1), numeric::numericColour(2));
    EXPECT_FALSE(session_.score.saved);

    const std::vector<std::string> lines = model::scoreFileLines(session_.score);
    model::Score reread;
    model::readScore(lines, reread, {});
    EXPECT_EQ(reread.numeric, session_.score.numeric);
    // The numeric view shows the page with the new settings and the boxes follow the score.
    session_.score.numeric.rows = 8;
    trigger({"表示&V", "五線譜面／数字譜面", "数字譜面"});
    EXPECT_EQ(settings->box("RowCbx")->currentText(), "8");
}

}  // namespace
