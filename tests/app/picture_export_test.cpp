// Every picture the command line writes, read back by an independent reader.
#include <gtest/gtest.h>

#include <QImage>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>

#include "conversion_fixture.h"
#include "edit/mark_commands.h"
#include "model/score_file.h"
#include "model/score_reader.h"

namespace fs = std::filesystem;

namespace {

const fs::path kDemo = fs::path(SHINOFU_SOURCE_DIR) / "data/demo/sakura.gd4";
// The demo page: 990 pixels wide; its staff rows end (56 + 12 × 42 + 9) × 2 pixels down.
constexpr int kViewWidth = 990;
constexpr int kPageHeight = 1138;

class PictureExport : public shinofu::testing::ConversionTest {
protected:
    PictureExport() : ConversionTest("pictures") {}

    // Runs a reader and returns what it printed; the test fails when it cannot run or fails.
    std::string readerOutput(const std::string& command) {
        std::string output;
        FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
        if (!pipe) {
            ADD_FAILURE() << "cannot run " << command;
            return output;
        }
        char chunk[4096];
        while (size_t got = std::fread(chunk, 1, sizeof chunk, pipe)) output.append(chunk, got);
        EXPECT_EQ(::pclose(pipe), 0) << command << "\n" << output;
        return output;
    }
    fs::path convert(const std::string& name, std::vector<std::string> extra = {}) {
        const fs::path out = folder_ / name;
        std::vector<std::string> args{"convert", kDemo.string(), out.string()};
        args.insert(args.end(), extra.begin(), extra.end());
        EXPECT_EQ(run(args), 0) << err_.str();
        return out;
    }
    // Width and height of an SVG's root element.
    static std::pair<double, double> svgSize(const std::string& svg) {
        std::smatch match;
        const std::regex size(R"re(<svg[^>]*width="([0-9.]+)"[^>]*height="([0-9.]+)")re");
        if (!std::regex_search(svg, match, size)) return {0, 0};
        return {std::stod(match[1]), std::stod(match[2])};
    }
};

TEST_F(PictureExport, MetafilesOfTheStaffPageAreDrawnAtTwiceTheViewsSize) {
    const fs::path emf = convert("page.emf");
    readerOutput("emf2svg-conv -i " + emf.string() + " -o " + (folder_ / "emf.svg").string());
    const std::string fromEmf = bytesOf(folder_ / "emf.svg");
    EXPECT_EQ(svgSize(fromEmf), std::make_pair(2.0 * kViewWidth, 2.0 * kPageHeight));
    EXPECT_NE(fromEmf.find("さくらさくら"), std::string::npos) << "the title stays text";
    EXPECT_NE(fromEmf.find("<path"), std::string::npos) << "the music is drawn";

    const fs::path wmf = convert("page.wmf");
    const std::string bytes = bytesOf(wmf);
    ASSERT_GT(bytes.size(), 22u);
    auto word = [&](size_t at) { return static_cast<int16_t>(uint8_t(bytes[at]) | uint8_t(bytes[at + 1]) << 8); };
    EXPECT_EQ(bytes.substr(0, 4), "\xD7\xCD\xC6\x9A") << "a placeable metafile";
    EXPECT_EQ(word(10) - word(6), 2 * kViewWidth);
    EXPECT_EQ(word(12) - word(8), 2 * kPageHeight);
    readerOutput("wmf2svg -o " + (folder_ / "wmf.svg").string() + " " + wmf.string());
    const std::string fromWmf = bytesOf(folder_ / "wmf.svg");
    EXPECT_GT(std::count(fromWmf.begin(), fromWmf.end(), '\n'), 500) << "notes, staves and texts arrive";
    EXPECT_NE(fromWmf.find("<text"), std::string::npos);
}

TEST_F(PictureExport, TheNumericMetafileIsAsLargeAsItsMeasuredPage) {
    const fs::path emf = convert("numeric.emf", {"--numeric"});
    readerOutput("emf2svg-conv -i " + emf.string() + " -o " + (folder_ / "numeric.svg").string());
    const auto [width, height] = svgSize(bytesOf(folder_ / "numeric.svg"));
    // The demo's one block of strips stands at the right of the page; the picture holds it only.
    EXPECT_GT(width, 100);
    EXPECT_LT(width, kViewWidth);
    EXPECT_GT(height, 100);
    EXPECT_NE(height, std::lround(kViewWidth * 1.414));
    const fs::path staff = convert("staff.emf");
    EXPECT_NE(bytesOf(staff), bytesOf(emf));
}

TEST_F(PictureExport, JpegIsTheWholePageInGreyAtQuality90) {
    const fs::path jpeg = convert("page.jpg");
    QImage image;
    ASSERT_TRUE(image.load(QString::fromStdString(jpeg.string())));
    EXPECT_EQ(image.format(), QImage::Format_Grayscale8);
    EXPECT_EQ(image.size(), QSize(kViewWidth, kPageHeight));
    const std::string bytes = bytesOf(jpeg);
    EXPECT_NE(bytes.find("\xFF\xC0"), std::string::npos) << "baseline";
    EXPECT_EQ(bytes.find("\xFF\xC2"), std::string::npos) << "not progressive";
    // The luminance table is the standard one scaled for quality 90: 16 × 0.2 → 3 for the DC entry.
    const auto table = bytes.find("\xFF\xDB");
    ASSERT_NE(table, std::string::npos);
    const int standard[] = {16, 11, 12, 14, 12, 10, 16, 14};  // the first entries in zigzag order
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(uint8_t(bytes[table + 5 + i]), (standard[i] * 20 + 50) / 100) << i;
    }
}

TEST_F(PictureExport, TheWholePagePictureHoldsRowsMovedApart) {
    // Low lines with lyrics under high lines with fermatas and rit.s: the rows move apart, lower
    // than the row spacing alone reaches, and the picture grows to hold them.
    shinofu::model::Score score;
    std::vector<std::string> lines = {"$V:3", "$END"};
    for (int measure = 0; measure < 48; ++measure) {
        const char* pitch = (measure / 4) % 2 ? "a2" : "c1";
        lines.push_back(std::string(pitch) + " n n 96 u," + pitch + " n n 96 u," + pitch + " n n 96 u," + pitch + " n n 96 u");
    }
    shinofu::model::readScore(lines, score, shinofu::model::ReadOptions{});
    score.recomputePositions();
    int index = 0;
    for (shinofu::model::TNote* note = score.part(1).partHead; !note->isEndMarker(); note = note->next, ++index) {
        note->lyric = "さ";
        if ((index / 16) % 2 == 0) continue;  // a low line
        for (auto kind : {shinofu::edit::MarkKind::Fermata, shinofu::edit::MarkKind::Rit}) {
            score.part(1).marks.push_back(shinofu::edit::performanceMark(score, kind, note->startPos, 1));
        }
    }
    const fs::path file = folder_ / "crowded.gd4";
    ASSERT_TRUE(shinofu::model::saveScoreFile(file, score).written);
    ASSERT_EQ(run({"convert", file.string(), (folder_ / "crowded.jpg").string()}), 0) << err_.str();
    QImage image;
    ASSERT_TRUE(image.load(QString::fromStdString((folder_ / "crowded.jpg").string())));
    EXPECT_EQ(image.width(), kViewWidth);
    EXPECT_GT(image.height(), kPageHeight);
    // Nothing is cut at the foot: the last rows of pixels are paper.
    int lowestInk = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 128) lowestInk = y;
        }
    }
    EXPECT_LT(lowestInk, image.height() - 20);
}

TEST_F(PictureExport, PdfPrintsEveryPageWithinTheMargins) {
    std::string measures;
    for (int i = 0; i < 120; ++i) measures += "d2 n n 96 d,e2 n n 96 d,f2 n n 96 d,e2 n n 96 d\r\n";
    const fs::path longScore = folder_ / "long.gd4";
    std::ofstream(longScore, std::ios::binary) << "$V:3\r\n$MeasNum:120\r\n$END\r\n" << measures << "$NEND\r\n";
    const fs::path pdf = folder_ / "long.pdf";
    ASSERT_EQ(run({"convert", longScore.string(), pdf.string()}), 0) << err_.str();
    const std::string info = readerOutput("pdfinfo " + pdf.string());
    EXPECT_NE(info.find("A4"), std::string::npos) << info;
    std::smatch pages;
    ASSERT_TRUE(std::regex_search(info, pages, std::regex(R"(Pages:\s+(\d+))")));
    EXPECT_EQ(std::stoi(pages[1]), 3);  // 120 measures, 4 to a line, 12 lines to a page

    // The first page rendered in grey: music inside the left margin, the footer near the bottom.
    readerOutput("pdftoppm -r 50 -gray -f 1 -l 1 " + pdf.string() + " " + (folder_ / "page").string());
    QImage page;
    ASSERT_TRUE(page.load(QString::fromStdString((folder_ / "page-1.pgm").string())));
    int leftmost = page.width(), lowest = 0, dark = 0;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            if (qGray(page.pixel(x, y)) < 128) {
                ++dark;
                leftmost = std::min(leftmost, x);
                lowest = std::max(lowest, y);
            }
        }
    }
    EXPECT_GT(dark, 1000) << "not blank";
    EXPECT_GE(leftmost, std::lround(page.width() * 0.05) - 1);
    EXPECT_GT(lowest, page.height() * 0.95) << "the program and date footer";
}

}  // namespace
