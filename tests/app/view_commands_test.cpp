// The view menus and tool buttons driven on the offscreen platform: each changes the view and redraws.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QScrollArea>
#include <QWheelEvent>
#include <QToolButton>

#include "app/view_colours.h"
#include "main_window_fixture.h"

using namespace shinofu;
using namespace shinofu::app;
using shinofu::testing::kDemo;
using shinofu::testing::MainWindowTest;

namespace {

// How many pixels of the picture have exactly the colour (0x00BBGGRR).
int pixelsOf(const QImage& image, model::Colour colour) {
    const QRgb wanted = qRgb(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
    int count = 0;
    for (int y = 0; y < image.height(); y += 2) {
        for (int x = 0; x < image.width(); x += 2) count += image.pixel(x, y) == wanted;
    }
    return count;
}

std::vector<std::string> twoPageNotes() {
    std::vector<std::string> notes;
    for (int i = 0; i < 60; ++i) notes.push_back("c1 n n 384 u");
    return notes;
}

}  // namespace

TEST_F(MainWindowTest, ColourMenusRepaintTheView) {
    MainWindow& window = start();
    window.openAtStart(kDemo);
    trigger({"表示&V", "描画色変更", "赤"});
    EXPECT_EQ(session_.view.drawColor, 0x0000FFu);
    EXPECT_GT(pixelsOf(window.viewImage(), 0x0000FF), 500);
    trigger({"表示&V", "背景色変更", "黒"});
    EXPECT_GT(pixelsOf(window.viewImage(), 0x000000), window.viewImage().width() * window.viewImage().height() / 8);
    trigger({"表示&V", "編集背景色変更", "空色"});
    EXPECT_EQ(session_.view.editBackColor, 0xFFFF00u);
    trigger({"表示&V", "編集描画色変更", "紫"});
    EXPECT_EQ(session_.view.editDrawColor, 0x800080u);
    // Every colour entry of the four menus is reachable.
    for (const auto& [menu, choices] : {std::pair{"描画色変更", &drawColourChoices()}, {"背景色変更", &backColourChoices()},
                                        {"編集描画色変更", &editDrawColourChoices()},
                                        {"編集背景色変更", &editBackColourChoices()}}) {
        for (const ColourChoice& choice : *choices) {
            EXPECT_TRUE(window.action(commandPath({"表示&V", menu, choice.caption}))->isEnabled()) << choice.caption;
        }
    }
}

TEST_F(MainWindowTest, GridCaptionAndDivisionFollowTheMenu) {
    MainWindow& window = start();
    window.openAtStart(kDemo);
    session_.view.edit.shown = true;
    window.redraw();
    const QImage withoutGrid = window.viewImage();
    trigger({"表示&V", "グリッド表示", "８分グリッド&8"});
    EXPECT_EQ(session_.view.gridDiv, 2);
    EXPECT_EQ(window.viewImage(), withoutGrid);  // a division alone shows nothing while the grid is off
    trigger({"表示&V", "グリッド表示", "×グリッド表示&E"});
    EXPECT_TRUE(session_.view.gridOn);
    EXPECT_EQ(window.action(commandPath({"表示&V", "グリッド表示", "×グリッド表示&E"}))->text(), "○グリッド表示&E");
    EXPECT_GT(pixelsOf(window.viewImage(), 0xFF0000), 20);
}

TEST_F(MainWindowTest, PagesTurnFromTheMenuAndTheShiftWheel) {
    MainWindow& window = start();
    std::vector<std::string> lines = {"$V:3", "$END"};
    for (const auto& note : twoPageNotes()) lines.push_back(note);
    model::readScore(lines, session_.score, model::ReadOptions{});
    window.redraw();
    const QImage first = window.viewImage();
    trigger({"表示&V", "ページ", "次のページ"});
    EXPECT_EQ(session_.view.curPage, 2);
    EXPECT_EQ(window.statusText("page"), "Page:2");
    EXPECT_NE(window.viewImage(), first);
    trigger({"表示&V", "ページ", "次のページ"});  // the last page stays
    EXPECT_EQ(session_.view.curPage, 2);
    trigger({"表示&V", "ページ", "前のページ"});
    EXPECT_EQ(window.viewImage(), first);
    QWheelEvent towardsUser(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, -120), Qt::NoButton,
                            Qt::ShiftModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(window.scrollArea()->viewport(), &towardsUser);
    EXPECT_EQ(session_.view.curPage, 2);
    QWheelEvent awayFromUser(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, 120), Qt::NoButton,
                             Qt::ShiftModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(window.scrollArea()->viewport(), &awayFromUser);
    EXPECT_EQ(session_.view.curPage, 1);
    EXPECT_EQ(window.statusText("page"), "Page:1");
}

TEST_F(MainWindowTest, WholePageViewModesAndPrintView) {
    MainWindow& window = start();
    window.openAtStart(kDemo);
    window.tool("全体表示／通常表示")->click();
    EXPECT_TRUE(session_.view.allPageView);
    EXPECT_LT(session_.view.drawUnit(), session_.view.noteSize);
    window.tool("全体表示／通常表示")->click();
    EXPECT_DOUBLE_EQ(session_.view.drawUnit(), session_.view.noteSize);
    trigger({"表示&V", "全ページ表示"});
    EXPECT_TRUE(session_.view.allPageView);
    trigger({"表示&V", "ページ幅表示"});
    EXPECT_FALSE(session_.view.allPageView);

    EXPECT_TRUE(window.tool("表示を固定モード（１）に。")->isVisibleTo(&window));
    EXPECT_FALSE(window.tool("表示を可変モード（２）に。")->isVisibleTo(&window));
    window.tool("表示を固定モード（１）に。")->click();
    EXPECT_TRUE(session_.view.fixedMode);
    EXPECT_TRUE(window.tool("表示を可変モード（２）に。")->isVisibleTo(&window));
    window.tool("表示を可変モード（２）に。")->click();
    EXPECT_FALSE(session_.view.fixedMode);

    trigger({"表示&V", "印刷用表示"});
    EXPECT_TRUE(session_.view.printView);
    EXPECT_EQ(window.statusText("mode"), "<印刷表示>");
    EXPECT_TRUE(window.tool("小節数固定表示へ")->isVisibleTo(&window));
    window.tool("小節数固定表示へ")->click();
    EXPECT_FALSE(session_.view.printView);
}

TEST_F(MainWindowTest, ChorusDisplayMeasureNumbersAndPartDisplay) {
    MainWindow& window = start();
    model::readScore({"$V:3", "$END", "c2 n n 384 d", "$START", "c1 n n 384 u", "$START", "e1 n n 384 u"},
                     session_.score, model::ReadOptions{});
    window.redraw();
    trigger({"オプション(&O)", "コーラス譜面", "1+2"});
    EXPECT_EQ(session_.score.chorusCount, 1);
    EXPECT_TRUE(session_.score.part(1).partHead->stemUp);
    EXPECT_FALSE(session_.score.part(2).partHead->stemUp);
    const QImage chorus = window.viewImage();
    trigger({"オプション(&O)", "コーラス譜面", "解除"});
    EXPECT_NE(window.viewImage(), chorus);  // three staves again

    const QImage plain = window.viewImage();
    trigger({"表示&V", "小節番号表示／非表示", "表示"});
    EXPECT_TRUE(session_.view.showMeasureNumbers);
    EXPECT_NE(window.viewImage(), plain);
    trigger({"表示&V", "小節番号表示／非表示", "非表示"});
    EXPECT_EQ(window.viewImage(), plain);

    trigger({"表示&V", "パート表示設定モード切換", "パート譜表示／非表示"});
    EXPECT_EQ(window.statusText("partDisplay"), "Prt=2");
    EXPECT_EQ(window.submenu(commandPath({"表示&V", "パート表示設定"}))->title(), "パート譜表示／非表示選択");
    trigger({"表示&V", "パート表示設定", "1"});
    EXPECT_FALSE(session_.score.part(1).visible);
    EXPECT_EQ(session_.score.part(2).displaySlot, 1);
    EXPECT_EQ(window.action(commandPath({"表示&V", "パート表示設定", "1"}))->text(), "<1>");
    EXPECT_FALSE(window.action(commandPath({"表示&V", "パート表示設定", "4"}))->isVisible());
    trigger({"表示&V", "パート表示設定", "2"});
    trigger({"表示&V", "パート表示設定", "3"});  // the last shown staff stays
    EXPECT_TRUE(session_.score.part(3).visible);
}
