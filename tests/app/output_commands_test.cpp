#include <gtest/gtest.h>

#include <fstream>

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QMimeData>
#include <QTimer>

#include "app/memo_window.h"
#include "app/output_commands.h"
#include "main_window_fixture.h"
#include "render/page_tables.h"
#include "output/wav_file.h"
#include "platform/file_io.h"

namespace {

namespace fs = std::filesystem;
using shinofu::testing::kDemo;
using shinofu::testing::MainWindowTest;

class OutputCommands : public MainWindowTest {
protected:
    OutputCommands() : MainWindowTest("output_commands") {}
    std::string bytesOf(const fs::path& path) {
        shinofu::platform::IoError error;
        return shinofu::platform::readFileBytes(path, error).value_or("");
    }
};

TEST_F(OutputCommands, PicturesAreSavedUnderTheChosenNameWithTheirOwnExtension) {
    start();
    dialogs_.answers = {kDemo};
    trigger({"ファイル&F", "ファイル読込&R"});
    dialogs_.requests.clear();
    const fs::path folder = fs::current_path();
    dialogs_.answers = {folder / "page.png", folder / "page.txt", folder / "page"};
    trigger({"ファイル&F", "画面ファイル保存&C", "EMFファイル(&E)"});
    trigger({"ファイル&F", "画面ファイル保存&C", "WMFファイル(&W)"});
    trigger({"ファイル&F", "画面ファイル保存&C", "JPEGファイル(&J)"});
    ASSERT_EQ(dialogs_.requests.size(), 3u);
    EXPECT_EQ(dialogs_.requests[0].title, "譜面画像の保存");
    EXPECT_EQ(dialogs_.requests[0].filter, "Enhanced Meta Files|*.EMF|");
    EXPECT_EQ(dialogs_.requests[0].start, fs::path("sakura"));  // the score's name, no extension
    EXPECT_EQ(dialogs_.requests[1].filter, "Window Meta Files|*.WMF|");
    EXPECT_EQ(dialogs_.requests[2].filter, "JPEG Files|*.jpg|");
    EXPECT_EQ(dialogs_.requests[2].start, fs::path());
    EXPECT_EQ(bytesOf(folder / "page.emf").substr(0, 4), std::string("\x01\0\0\0", 4));
    EXPECT_EQ(bytesOf(folder / "page.wmf").substr(0, 4), "\xD7\xCD\xC6\x9A");
    EXPECT_EQ(bytesOf(folder / "page.jpg").substr(0, 2), "\xFF\xD8");
    EXPECT_FALSE(fs::exists(folder / "page.png"));

    // A cancelled dialog writes nothing; an overfull measure only changes the title.
    session_.score.part(1).partHead->next->len = 384;
    trigger({"ファイル&F", "画面ファイル保存&C", "EMFファイル(&E)"});
    ASSERT_EQ(dialogs_.requests.size(), 4u);
    EXPECT_EQ(dialogs_.requests[3].title, "過剰音符小節があります");
}

TEST_F(OutputCommands, EveryPageAsPngOrSvgFilesOrOnePdfFromTheMenu) {
    start();
    const fs::path folder = fs::current_path();
    std::string longScore = "$V:3\r\n$END\r\n";
    for (int measure = 0; measure < 120; ++measure) longScore += "c1 n n 96 u,d1 n n 96 u,e1 n n 96 u,f1 n n 96 u\r\n";
    std::ofstream(folder / "long.gd4", std::ios::binary) << longScore;
    dialogs_.answers = {folder / "long.gd4"};
    trigger({"ファイル&F", "ファイル読込&R"});
    const int pages = shinofu::render::buildPageTables(session_.score, session_.view).pageCount;
    ASSERT_GT(pages, 1);
    std::ofstream(folder / ("page-" + std::to_string(pages + 1) + ".png")) << "an earlier, longer export";
    dialogs_.answers = {folder / "page", folder / "page.txt", folder / "score"};
    trigger({"ファイル&F", "画面ファイル保存&C", "PNGファイル(&N)"});
    trigger({"ファイル&F", "画面ファイル保存&C", "SVGファイル(&S)"});
    trigger({"ファイル&F", "画面ファイル保存&C", "PDFファイル(&P)"});
    for (int page = 1; page <= pages; ++page) {
        EXPECT_EQ(bytesOf(folder / ("page-" + std::to_string(page) + ".png")).substr(1, 3), "PNG") << page;
        EXPECT_NE(bytesOf(folder / ("page-" + std::to_string(page) + ".svg")).find("<svg"), std::string::npos) << page;
    }
    EXPECT_FALSE(fs::exists(folder / ("page-" + std::to_string(pages + 1) + ".png")));
    EXPECT_EQ(bytesOf(folder / "score.pdf").substr(0, 5), "%PDF-");
    EXPECT_TRUE(dialogs_.messages.empty());
}

TEST_F(OutputCommands, TheClipboardGetsThePictureAsEmfAndPngWithoutADialog) {
    auto& window = start();
    window.openAtStart(kDemo);
    trigger({"ファイル&F", "画面ファイル保存&C", "クリップボードにコピー(&C)"});
    EXPECT_TRUE(dialogs_.requests.empty());
    const QMimeData* data = QApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_TRUE(data->data("image/emf").startsWith(QByteArray("\x01\0\0\0", 4)));
    EXPECT_TRUE(data->data("image/png").startsWith("\x89PNG"));
    EXPECT_FALSE(window.action("ファイル&F › 画面ファイル保存&C › マウスで領域指定(&M)")->isEnabled());
}

TEST_F(OutputCommands, ThePrinterFormInTheMemoSetsTheMarginsAndHeaderSwitches) {
    auto& window = start();
    trigger({"ファイル&F", "プリンター設定(&U)"});
    auto* memo = window.memo();
    EXPECT_TRUE(memo->isVisible());
    std::vector<std::string> lines = memo->lines();
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[3], "0.050,0.050,0.050,0.050");
    lines[3] = "10,10,5,5";
    lines.push_back("Page,Date");
    memo->setLines(lines);
    bool setupShown = false;
    QTimer::singleShot(0, [&] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            setupShown = true;
            dialog->reject();  // a cancelled page setup prints nothing
        }
    });
    memo->save();
    EXPECT_TRUE(setupShown);
    EXPECT_FALSE(memo->isVisible());
    EXPECT_TRUE(memo->lines() == std::vector<std::string>{""});
    EXPECT_DOUBLE_EQ(session_.print.left, 0.10);
    EXPECT_DOUBLE_EQ(session_.print.bottom, 0.05);
    EXPECT_EQ(session_.print.headerFlags, unsigned{shinofu::output::kPrintTitle | shinofu::output::kPrintProgramName});

    trigger({"ファイル&F", "新規作成&N"});
    EXPECT_EQ(session_.print.headerFlags, unsigned{shinofu::output::kPrintEverything});
    EXPECT_DOUBLE_EQ(session_.print.left, 0.10);  // the margins stay

    trigger({"表示&V", "譜面設定データ表示"});
    EXPECT_EQ(memo->lines(), (std::vector<std::string>{"行間隔：42", "行数：12", "音符の相対サイズ：2.000"}));
}

}  // namespace

TEST_F(OutputCommands, ExportsAndPlaybackLeaveTheSavedScoreByteForByte) {
    start();
    const fs::path folder = fs::current_path();
    const fs::path gallery = fs::path(SHINOFU_SOURCE_DIR) / "tests/data/engraving_gallery.gd4";
    for (const fs::path& score : {kDemo, gallery}) {
        dialogs_.answers = {score, folder / "before.gd4"};
        trigger({"ファイル&F", "ファイル読込&R"});
        trigger({"ファイル&F", "譜面の保存&S"});
        dialogs_.answers = {folder / "page.emf", folder / "page.wmf", folder / "page.jpg", folder / "grid.dt",
                            folder / "tune.mid", folder / "tune.musicxml", folder / "tune.wav", folder / "after.gd4"};
        trigger({"ファイル&F", "画面ファイル保存&C", "EMFファイル(&E)"});
        trigger({"ファイル&F", "画面ファイル保存&C", "WMFファイル(&W)"});
        trigger({"ファイル&F", "画面ファイル保存&C", "JPEGファイル(&J)"});
        trigger({"ファイル&F", "数字符データ保存"});
        trigger({"ファイル&F", "MIDIファイル作成&M"});
        trigger({"ファイル&F", "MusicXML保存"});
        trigger({"オプション(&O)", "演奏&P"});
        trigger({"オプション(&O)", "演奏&P"});
        trigger({"ファイル&F", "WAVファイル作成"});
        trigger({"ファイル&F", "譜面の保存&S"});
        ASSERT_TRUE(dialogs_.answers.empty()) << score;
        ASSERT_FALSE(bytesOf(folder / "before.gd4").empty());
        EXPECT_EQ(bytesOf(folder / "after.gd4"), bytesOf(folder / "before.gd4")) << score;
        EXPECT_FALSE(bytesOf(folder / "tune.mid").empty());
    }
}
