// Measure editing as a user does it: the mode, presses on measures, the menu, undo, redo and the
// system clipboard between two runs of the program.
#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>
#include <QToolButton>

#include "app/memo_window.h"
#include "edit/edit_mode.h"
#include "main_window_fixture.h"
#include "model/score_writer.h"
#include "render/page_geometry.h"

using namespace shinofu;
using namespace shinofu::app;
using shinofu::testing::kDemo;
using shinofu::testing::MainWindowTest;

namespace {

class MeasureEditing : public MainWindowTest {
protected:
    MeasureEditing() : MainWindowTest("measures") {}

    // A point inside measure m of line 1 of the window's page, on its staff.
    static QPoint inMeasure(const Session& session, int measure) {
        const render::PageTables tables = render::buildPageTables(session.score, session.view);
        render::PageGeometry g(session.score, session.view, tables);
        g.selectLine(1);
        return QPoint(static_cast<int>(g.noteX(measure, 6)), static_cast<int>(g.staffBase(1) + 3 * session.view.drawUnit()));
    }
    static std::string notes(const model::Score& score) {
        std::string joined;
        for (const model::TNote* note = score.part(1).partHead; !note->isEndMarker(); note = note->next) {
            joined += (joined.empty() ? "" : ",") + model::noteItem(*note, false);
        }
        return joined;
    }
};

}  // namespace

TEST_F(MeasureEditing, CutPasteUndoThreeTimesAndRedo) {
    MainWindow& window = start();
    window.openAtStart(kDemo);
    const auto original = model::scoreFileLines(session_.score);
    trigger({"小節編集&M", "小節編集モードに &M"});
    EXPECT_EQ(session_.edit.editMode, edit::kMeasureEditMode);
    EXPECT_EQ(window.action(commandPath({"小節編集&M", "小節編集モードに &M"}))->text(), "音符編集モードに &M");
    QTest::mouseClick(window.scoreView(), Qt::LeftButton, Qt::NoModifier, inMeasure(session_, 1));
    QTest::mouseClick(window.scoreView(), Qt::LeftButton, Qt::ShiftModifier, inMeasure(session_, 2));
    EXPECT_TRUE(session_.view.edit.range);
    trigger({"小節編集&M", "切り取り &T"});
    EXPECT_EQ(notes(session_.score).substr(0, 35), "d2 n n 96 d,e2 n n 96 d,f2 n n 96 d");  // measure 3 leads now
    const auto afterCut = model::scoreFileLines(session_.score);
    QTest::mouseClick(window.scoreView(), Qt::LeftButton, Qt::NoModifier, inMeasure(session_, 2));
    trigger({"小節編集&M", "挿入貼付"});
    const auto afterPaste = model::scoreFileLines(session_.score);
    trigger({"小節編集&M", "挿入 &I"});
    EXPECT_NE(model::scoreFileLines(session_.score), afterPaste);
    trigger({"小節編集&M", "元に戻す &U"});
    EXPECT_EQ(model::scoreFileLines(session_.score), afterPaste);
    trigger({"小節編集&M", "元に戻す &U"});
    EXPECT_EQ(model::scoreFileLines(session_.score), afterCut);
    trigger({"小節編集&M", "元に戻す &U"});
    EXPECT_EQ(model::scoreFileLines(session_.score), original);
    trigger({"小節編集&M", "元に戻す &U"});  // only three levels
    EXPECT_EQ(model::scoreFileLines(session_.score), original);
    trigger({"小節編集&M", "やり直し &R"});
    EXPECT_EQ(model::scoreFileLines(session_.score), afterCut);
    EXPECT_FALSE(session_.score.saved);
    window.tool("音符編集・小節編集")->click();
    EXPECT_EQ(session_.edit.editMode, edit::kEditMode);
}

TEST_F(MeasureEditing, MeasuresTravelThroughTheSystemClipboardToAnotherRun) {
    MainWindow& window = start();
    window.openAtStart(kDemo);
    trigger({"小節編集&M", "小節編集モードに &M"});
    QTest::mouseClick(window.scoreView(), Qt::LeftButton, Qt::NoModifier, inMeasure(session_, 3));
    trigger({"小節編集&M", "クリップボードにコピー（クリアあり）"});
    EXPECT_EQ(window.memo()->lines().front(), "d2 n n 96 d");

    // A second run of the program: its own session and window, the same system clipboard.
    Session other;
    other.config = session_.config;
    MainWindow second(other, dialogs_, std::make_unique<platform::NullMidiOut>("test"));
    second.action(commandPath({"ファイル&F", "新規作成&N"}))->trigger();
    second.action(commandPath({"小節編集&M", "小節編集モードに &M"}))->trigger();
    QTest::mouseClick(second.scoreView(), Qt::LeftButton, Qt::NoModifier, inMeasure(other, 1));
    second.action(commandPath({"小節編集&M", "クリップボードから挿入貼付"}))->trigger();
    EXPECT_EQ(notes(other.score), "d2 n n 96 d,e2 n n 96 d,f2 n n 96 d,e2 n n 96 d");
}

TEST_F(MeasureEditing, MeasuresPerLineRefitTheLines) {
    MainWindow& window = start();
    window.openAtStart(kDemo);
    const QImage four = window.viewImage();
    trigger({"五線譜設定&S", "小節数 &M", "&3"});
    EXPECT_EQ(session_.score.song.measPerLine, 3);
    EXPECT_EQ(session_.score.song.lineMeasures[100], 3);
    EXPECT_NE(window.viewImage(), four);
    EXPECT_EQ(session_.edit.editMode, edit::kEditMode);
}

// A command that cannot act in the mode or without a pick says in the status bar what to do first.
TEST_F(MeasureEditing, CommandsThatCannotActSayWhy) {
    MainWindow& window = start();
    window.openAtStart(kDemo);
    const auto original = model::scoreFileLines(session_.score);
    const std::pair<std::vector<std::string>, const char*> refused[] = {
        {{"小節編集&M", "削除 &D"}, "小節編集モードで使えます（音符/小節ボタン）"},
        {{"小節編集&M", "クリップボードから挿入貼付"}, "小節編集モードで使えます（音符/小節ボタン）"},
        {{"音符編集&N", "削除 &D"}, "音符をクリックして選んでから使えます"},
        {{"音符編集&N", "タイ、スラー", "タイ設定"}, "音符をクリックして選んでから使えます"},
        {{"音符編集&N", "連桁", "連桁設定"}, "音符をクリックして選んでから使えます"},
    };
    for (const auto& [path, notice] : refused) {
        trigger(path);
        EXPECT_EQ(window.statusText("message").toStdString(), notice) << commandPath(path);
    }
    trigger({"小節編集&M", "小節編集モードに &M"});
    trigger({"小節編集&M", "挿入 &I"});
    EXPECT_EQ(window.statusText("message").toStdString(), "小節をクリックして選んでから使えます");
    QTest::mouseClick(window.scoreView(), Qt::LeftButton, Qt::NoModifier, inMeasure(session_, 1));
    trigger({"小節編集&M", "上書貼付 &P"});
    EXPECT_EQ(window.statusText("message").toStdString(), "貼り付ける小節がありません（先にコピーか切り取り）");
    EXPECT_EQ(model::scoreFileLines(session_.score), original);
}
