// The main window driven through its real menus on the offscreen platform.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <fstream>

#include "app/command_table.h"
#include "app/main_window.h"
#include "app/memo_window.h"
#include "app/startup.h"
#include "platform/file_io.h"
#include "platform/text_codec.h"
#include "main_window_fixture.h"

namespace fs = std::filesystem;
using namespace shinofu::app;
using shinofu::platform::ScriptedDialogs;
using shinofu::testing::MainWindowTest;
using shinofu::testing::kDemo;

TEST_F(MainWindowTest, EveryCaptionHasAnActionAndOnlyBuiltCommandsAreEnabled) {
    MainWindow& window = start();
    EXPECT_EQ(window.windowTitle(), "Shinofu 篠笛譜面作成支援");
    EXPECT_GE(window.minimumWidth(), 608);
    int enabled = 0;
    auto paths = leafPaths(mainMenu());
    for (const std::string& path : paths) {
        QAction* action = window.action(path);
        ASSERT_NE(action, nullptr) << path;
        enabled += action->isEnabled();
    }
    EXPECT_GT(paths.size(), 200u);
    EXPECT_TRUE(window.action("ファイル&F › 新規作成&N")->isEnabled());
    EXPECT_TRUE(window.action("ファイル&F › MIDIファイル読み込み")->isEnabled());
    EXPECT_FALSE(window.action("ファイル&F › MIDIファイル作成（旧）")->isVisible());
    EXPECT_LT(enabled, static_cast<int>(paths.size()));  // what is not built yet stays disabled
    EXPECT_FALSE(window.action("表示&V › データ表示")->isEnabled());
    EXPECT_EQ(window.statusText("mode"), "<新規>");
    EXPECT_EQ(window.statusText("part"), "Prt:1");
    EXPECT_EQ(window.viewImage().width(), 990);
    EXPECT_EQ(window.viewImage().height(), 1420);
}

TEST_F(MainWindowTest, ScoreNamedAtStartOpensWithItsTitle) {
    MainWindow& window = start();
    window.openAtStart(kDemo);
    EXPECT_EQ(session_.score.title(), "さくらさくら");
    EXPECT_TRUE(window.windowTitle().startsWith("sakura  篠笛譜面作成ソフト"));
    EXPECT_TRUE(session_.currentFile.empty());  // a start-up file is not the current file
    EXPECT_TRUE(session_.score.saved);
}

TEST_F(MainWindowTest, UnsavedWorkStopsGuardedCommandsUntilTheQuestionIsAnswered) {
    MainWindow& window = start();
    window.openAtStart(kDemo);
    trigger({"五線譜設定&S", "曲名等設定&I", "設定開始<画面表示>&S"});  // marks the score unsaved
    EXPECT_FALSE(session_.score.saved);
    trigger({"ファイル&F", "新規作成&N"});
    EXPECT_TRUE(window.questionShown());
    EXPECT_EQ(session_.score.title(), "さくらさくら");  // nothing was lost
    trigger({"ファイル&F", "終了&X"});
    EXPECT_FALSE(fs::exists(home_.companion() / "shinofu.IN2"));  // the window did not close
    window.answerQuestion();
    EXPECT_FALSE(window.questionShown());
    trigger({"ファイル&F", "新規作成&N"});
    EXPECT_EQ(session_.score.title(), "");
    EXPECT_EQ(window.statusText("mode"), "<新規>");
}

TEST_F(MainWindowTest, OverwriteSaveAndTheQuestionsSaveAndCancel) {
    MainWindow& window = start();
    window.openAtStart(kDemo);
    auto written = [&] {
        shinofu::platform::IoError error;
        return shinofu::platform::readFileBytes(home_.root() / "copy.gd4", error).value_or("");
    };
    auto press = [&](const char* caption) {
        for (QPushButton* button : window.findChild<QWidget*>("questionPanel")->findChildren<QPushButton*>()) {
            if (button->text() == caption) QTest::mouseClick(button, Qt::LeftButton);
        }
    };
    // A score without a file of its own asks for a name once; then it is written in place.
    dialogs_.answers.push_back(home_.root() / "copy");
    trigger({"ファイル&F", "上書き保存"});
    ASSERT_TRUE(fs::exists(home_.root() / "copy.gd4"));
    const size_t asked = dialogs_.requests.size();
    trigger({"五線譜設定&S", "拍子", "3/4"});
    QTest::keyClick(window.scoreView(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(dialogs_.requests.size(), asked);
    EXPECT_TRUE(session_.score.saved);
    EXPECT_NE(written().find("3/4"), std::string::npos);

    // キャンセル goes back to editing with nothing done; 保存 saves, then does what was asked.
    trigger({"五線譜設定&S", "拍子", "2/4"});
    trigger({"ファイル&F", "新規作成&N"});
    ASSERT_TRUE(window.questionShown());
    press("キャンセル");
    EXPECT_FALSE(window.questionShown());
    EXPECT_EQ(session_.score.title(), "さくらさくら");
    EXPECT_FALSE(session_.score.saved);
    trigger({"ファイル&F", "新規作成&N"});
    press("保存");
    EXPECT_FALSE(window.questionShown());
    EXPECT_EQ(dialogs_.requests.size(), asked);
    EXPECT_NE(written().find("2/4"), std::string::npos);
    EXPECT_EQ(session_.score.title(), "");  // the new score the command asked for
    EXPECT_TRUE(session_.scoreFile.empty());
}

TEST_F(MainWindowTest, SaveAndReopenThroughTheMenus) {
    MainWindow& window = start();
    window.openAtStart(kDemo);
    dialogs_.answers.push_back(home_.root() / "copy");
    trigger({"ファイル&F", "譜面の保存&S"});
    ASSERT_TRUE(fs::exists(home_.root() / "copy.gd4"));
    EXPECT_TRUE(window.windowTitle().startsWith("copy  "));
    trigger({"ファイル&F", "新規作成&N"});
    EXPECT_FALSE(window.questionShown());
    dialogs_.answers.push_back(home_.root() / "copy.gd4");
    trigger({"ファイル&F", "ファイル読込&R"});
    EXPECT_EQ(session_.score.title(), "さくらさくら");
    EXPECT_EQ(dialogs_.requests.back().start, home_.root() / "copy.gd4");
    shinofu::platform::IoError error;
    EXPECT_EQ(shinofu::platform::readFileBytes(home_.root() / "copy.gd4", error),
              shinofu::platform::readFileBytes(kDemo, error));
}

TEST_F(MainWindowTest, SongDataThroughTheMemoWindow) {
    MainWindow& window = start();
    trigger({"五線譜設定&S", "曲名等設定&I", "設定開始<画面表示>&S"});
    EXPECT_TRUE(window.memo()->isVisible());
    EXPECT_EQ(window.statusText("mode"), "<曲データ>");
    EXPECT_EQ(window.memo()->lines().front(), "/$NAME:曲名,作詞者名,作曲者名");
    window.memo()->setLines({"$NAME:荒城の月,土井晩翠,滝廉太郎", "$TEMPO:Andante,3/4", "$KEY:B-,6", "$END"});
    window.memo()->save();  // the memo's "保存" finishes the song data
    EXPECT_FALSE(window.memo()->isVisible());
    EXPECT_EQ(session_.score.title(), "荒城の月");
    EXPECT_EQ(session_.score.composer(), "滝廉太郎");
    EXPECT_EQ(session_.score.song.tempo, 75);
    EXPECT_EQ(session_.score.meter().text, "3/4");
    EXPECT_EQ(session_.score.song.keySig, 9);
    EXPECT_EQ(session_.score.song.fluteKey, 6);
    EXPECT_EQ(window.statusText("mode"), "<編集>");
    trigger({"五線譜設定&S", "曲名等設定&I", "設定開始<画面表示>&S"});
    EXPECT_EQ(window.memo()->lines().front(), "$NAME:荒城の月,土井晩翠,滝廉太郎");
}

TEST_F(MainWindowTest, ScoreSettingsSurviveARestart) {
    start();
    session_.score.fixedSymbol(shinofu::model::kTitleSymbol).dx = 222;
    trigger({"ファイル&F", "譜面設定保存"});
    window_->close();
    EXPECT_TRUE(fs::exists(home_.companion() / "shinofu.IN2"));
    Session restarted;
    StartupOptions options;
    options.installCompanionFiles = false;
    startUp(restarted, options);
    EXPECT_EQ(restarted.score.fixedSymbol(shinofu::model::kTitleSymbol).dx, 222);
    EXPECT_EQ(restarted.score.fixedSymbol(shinofu::model::kTempoSymbol).text, "=60");
    EXPECT_EQ(restarted.score.fixedSymbol(shinofu::model::kFluteKeySymbol).text, "8本");
}

TEST_F(MainWindowTest, MemoWindowFontSizesAndHelpSave) {
    fs::create_directories(home_.companion());
    std::ofstream(home_.companion() / "shinofu.txt", std::ios::binary) << "\x83w\x83\x8b\x83v\r\n";  // ヘルプ
    MainWindow& window = start();
    trigger({"ヘルプ(&H)"});
    EXPECT_EQ(window.memo()->lines().front(), "ヘルプ");
    EXPECT_EQ(window.statusText("mode"), "<ヘルプ>");
    window.memo()->setLines({"書き換えた"});
    window.memo()->save();
    shinofu::platform::IoError error;
    auto bytes = shinofu::platform::readFileBytes(home_.companion() / "shinofu.txt", error);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(shinofu::platform::decodeLines(*bytes).front(), "書き換えた");
    window.memo()->setTextHeight(14);
    EXPECT_EQ(window.memo()->textHeight(), 14);
}

namespace {

int darkPixels(const QImage& image) {
    int dark = 0;
    for (int y = 0; y < image.height(); y += 2) {
        for (int x = 0; x < image.width(); x += 2) dark += qGray(image.pixel(x, y)) < 128;
    }
    return dark;
}

}  // namespace

TEST_F(MainWindowTest, ViewShowsThePageAndFollowsTheViewCommands) {
    MainWindow& window = start();
    const int emptyStaff = darkPixels(window.viewImage());
    EXPECT_GT(emptyStaff, 100);  // a new score shows one empty staff
    window.openAtStart(kDemo);
    const int demo = darkPixels(window.viewImage());
    EXPECT_GT(demo, 3 * emptyStaff);
    trigger({"オプション(&O)", "画面クリア"});
    EXPECT_EQ(darkPixels(window.viewImage()), 0);
    trigger({"表示&V", "再表示(&R)"});
    EXPECT_EQ(darkPixels(window.viewImage()), demo);
    trigger({"オプション(&O)", "音符サイズ", "小"});
    EXPECT_FALSE(session_.score.largeNoteHeads);
    EXPECT_LT(darkPixels(window.viewImage()), demo);  // smaller heads
    trigger({"オプション(&O)", "音符サイズ", "大"});
    EXPECT_TRUE(session_.score.largeNoteHeads);
}

TEST_F(MainWindowTest, NumericNotationFluteChoiceAndTheGrid) {
    MainWindow& window = start();
    window.openAtStart(kDemo);
    const QImage staff = window.viewImage();
    trigger({"表示&V", "五線譜面／数字譜面", "数字譜面"});
    EXPECT_TRUE(session_.view.numericDisplay);
    EXPECT_NE(window.viewImage(), staff);
    window.tool("五線譜・数字譜")->click();
    EXPECT_FALSE(session_.view.numericDisplay);
    EXPECT_EQ(window.viewImage(), staff);
    trigger({"オプション(&O)", "笛変更", "六本"});
    EXPECT_EQ(session_.score.song.fluteKey, 6);
    EXPECT_EQ(session_.score.fixedSymbol(shinofu::model::kFluteKeySymbol).text, "6本");
    EXPECT_NE(window.viewImage(), staff);  // other numerals under the notes
    trigger({"オプション(&O)", "笛変更", "笛の自動設定", "一"});
    EXPECT_EQ(session_.score.song.fluteKey, 1);  // F major: 一本 puts F on 一
    EXPECT_FALSE(session_.flute.manual);
    dialogs_.answers.push_back(home_.root() / "sakura.txt");
    trigger({"ファイル&F", "数字符データ保存"});
    shinofu::platform::IoError error;
    auto bytes = shinofu::platform::readFileBytes(home_.root() / "sakura.dt", error);
    ASSERT_TRUE(bytes) << error.message;
    EXPECT_EQ(shinofu::platform::decodeLines(*bytes).front().rfind("\"６\",", 0), 0u);  // d2 on 一本
}

TEST_F(MainWindowTest, MidiFileThroughTheMenu) {
    MainWindow& window = start();
    window.openAtStart(kDemo);
    dialogs_.answers.push_back(home_.root() / "sakura");
    trigger({"ファイル&F", "MIDIファイル作成&M"});
    shinofu::platform::IoError error;
    auto bytes = shinofu::platform::readFileBytes(home_.root() / "sakura.MID", error);
    ASSERT_TRUE(bytes) << error.message;
    EXPECT_EQ(bytes->substr(0, 4), "MThd");
    EXPECT_TRUE(window.menuBar()->isEnabled());
}
