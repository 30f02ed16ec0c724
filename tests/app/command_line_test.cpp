#include "app/command_line.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>

#include "app/language.h"
#include "conversion_fixture.h"
#include "platform/ui_text.h"

namespace fs = std::filesystem;
using shinofu::app::isConversionCommand;

namespace {

class CommandLine : public shinofu::testing::ConversionTest {
protected:
    CommandLine() : ConversionTest("cli") {}
};

const fs::path kDemo = fs::path(SHINOFU_SOURCE_DIR) / "data/demo/sakura.gd4";

}  // namespace

TEST_F(CommandLine, RecognisesConversions) {
    EXPECT_TRUE(isConversionCommand({"convert", "a", "b"}));
    EXPECT_TRUE(isConversionCommand({"new", "a"}));
    EXPECT_FALSE(isConversionCommand({"score.gd4"}));
    EXPECT_FALSE(isConversionCommand({}));
}

TEST_F(CommandLine, NewWritesTheEmptyScore) {
    ASSERT_EQ(run({"new", (folder_ / "new.gd4").string()}), 0) << err_.str();
    std::string bytes = bytesOf(folder_ / "new.gd4");
    EXPECT_EQ(bytes.substr(0, 6), "$V:3\r\n");
    EXPECT_NE(bytes.find("$NEND\r\n$STARTM\r\n$END\r\n"), std::string::npos);
}

TEST_F(CommandLine, DemoConvertsToItselfByteForByte) {
    ASSERT_EQ(run({"convert", kDemo.string(), (folder_ / "copy.gd4").string()}), 0) << err_.str();
    EXPECT_EQ(bytesOf(folder_ / "copy.gd4"), bytesOf(kDemo));
}

TEST_F(CommandLine, JsonDumpCarriesTheModel) {
    ASSERT_EQ(run({"convert", kDemo.string(), (folder_ / "demo.json").string()}), 0) << err_.str();
    std::string json = bytesOf(folder_ / "demo.json");
    EXPECT_NE(json.find("\"title\": \"さくらさくら\""), std::string::npos);
    EXPECT_NE(json.find("\"keySig\": 8"), std::string::npos);
    EXPECT_NE(json.find("\"lyric\": \"さ\""), std::string::npos);
    EXPECT_NE(json.find("\"lineMeasures\": []"), std::string::npos);
}

TEST_F(CommandLine, OldFormatsReadWithTheirUnscaledLengths) {
    fs::path old = folder_ / "old.gd2";
    std::ofstream(old, std::ios::binary) << "$TEMPO:90,3/4\r\n$END\r\nc1 n n 12 u,d1 n n 24 u\r\n$END\r\n$NEND\r\n";
    ASSERT_EQ(run({"convert", old.string(), (folder_ / "old.json").string()}), 0) << err_.str();
    std::string json = bytesOf(folder_ / "old.json");
    EXPECT_NE(json.find("\"len\": 24"), std::string::npos);
    EXPECT_NE(json.find("\"meter\": \"3/4\""), std::string::npos);
    EXPECT_NE(json.find("\"tempo\": 90"), std::string::npos);
}

TEST_F(CommandLine, EveryFormatTheUsageNamesIsReadOrWritten) {
    ASSERT_EQ(run({"--help"}), 0);
    const std::string usage = err_.str();
    auto formats = [&](const std::string& label) {
        const size_t from = usage.find(label) + label.size();
        std::istringstream line(usage.substr(from, usage.find('\n', from) - from));
        return std::vector<std::string>(std::istream_iterator<std::string>(line), std::istream_iterator<std::string>());
    };
    const auto written = formats("OUT:");
    ASSERT_GE(written.size(), 13u);
    for (const std::string& ext : written) {
        EXPECT_EQ(run({"convert", kDemo.string(), (folder_ / ("out" + ext)).string(), "--page", "1"}), 0) << ext << err_.str();
    }
    // Each input read back from what the matching writer wrote, whatever name the file carries.
    const std::map<std::string, std::string> source = {
        {".gd", ".gd4"}, {".mid", ".mid"}, {".xml", ".musicxml"}, {".mxl", ".musicxml"}, {".musicxml", ".musicxml"},
        // Sound files are told by their content: the WAV stands for every recording.
        {".wav", ".wav"}, {".flac", ".wav"}, {".ogg", ".wav"}, {".mp3", ".wav"}};
    const auto read = formats("IN:");
    ASSERT_GE(read.size(), 8u);
    for (const std::string& ext : read) {
        const auto from = std::find_if(source.begin(), source.end(), [&](const auto& s) { return ext.rfind(s.first, 0) == 0; });
        ASSERT_NE(from, source.end()) << ext;
        fs::copy_file(folder_ / ("out" + from->second), folder_ / ("in" + ext), fs::copy_options::overwrite_existing);
        EXPECT_EQ(run({"convert", (folder_ / ("in" + ext)).string(), (folder_ / "in.json").string()}), 0) << ext << err_.str();
    }
}

TEST_F(CommandLine, BadInputFailsWithAMessage) {
    EXPECT_EQ(run({"convert", (folder_ / "missing.gd4").string(), (folder_ / "x.json").string()}), 1);
    EXPECT_NE(err_.str().find("missing.gd4"), std::string::npos);
    EXPECT_EQ(run({"convert", kDemo.string(), (folder_ / "x.xyz").string()}), 1);
    EXPECT_NE(err_.str().find("x.xyz"), std::string::npos);
    EXPECT_EQ(run({"convert", (folder_ / "a.txt").string(), (folder_ / "x.gd4").string()}), 1);
    EXPECT_EQ(run({"convert", kDemo.string()}), 1);
    EXPECT_NE(err_.str().find("使い方"), std::string::npos);
    EXPECT_EQ(run({"convert", kDemo.string(), (folder_ / "no" / "such" / "x.gd4").string()}), 1);
    // A recording's meter must be one a score holds, its tempo one a player plays.
    EXPECT_EQ(run({"convert", "in.wav", (folder_ / "x.gd4").string(), "--meter", "5/4"}), 1);
    EXPECT_NE(err_.str().find("--meter"), std::string::npos);
    EXPECT_EQ(run({"convert", "in.wav", (folder_ / "x.gd4").string(), "--tempo", "10"}), 1);
    EXPECT_NE(err_.str().find("--tempo"), std::string::npos);
    // A pickup is shorter than the measure: three beats of 3/4 are not one.
    EXPECT_EQ(run({"convert", "in.wav", (folder_ / "x.gd4").string(), "--pickup", "3", "--meter", "3/4"}), 1);
    EXPECT_NE(err_.str().find("0 から 2 まで"), std::string::npos);
    EXPECT_FALSE(fs::exists(folder_ / "x.json"));
}

TEST_F(CommandLine, NewTakesTheCompanionSettingsButInstallsNothing) {
    fs::create_directories(folder_ / "home");
    std::ofstream(folder_ / "home" / "shinofu.TMP", std::ios::binary)
        << "$V:3\r\n$NAME:,1,-8,0,150,3,6,10,16,0,;,1,-8,0,0,0,6,10,10,0,;,1,-8,0,0,0,6,10,10,0,\r\n";
    ASSERT_EQ(run({"new", (folder_ / "new.gd4").string()}), 0) << err_.str();
    EXPECT_NE(bytesOf(folder_ / "new.gd4").find("$NAME:,1,-8,0,150,3,6,10,16,0,;"), std::string::npos);
    EXPECT_FALSE(fs::exists(folder_ / "home" / "shinofu.INI"));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_ / "home"), fs::directory_iterator()), 1);
}

TEST_F(CommandLine, PicturesAndTheFingeringGrid) {
    ASSERT_EQ(run({"convert", kDemo.string(), (folder_ / "page.png").string(), "--page", "1"}), 0) << err_.str();
    ASSERT_EQ(run({"convert", kDemo.string(), (folder_ / "numeric.png").string(), "--numeric"}), 0) << err_.str();
    EXPECT_EQ(bytesOf(folder_ / "page.png").substr(1, 3), "PNG");
    EXPECT_NE(bytesOf(folder_ / "page.png"), bytesOf(folder_ / "numeric.png"));
    ASSERT_EQ(run({"convert", kDemo.string(), (folder_ / "demo.dt").string(), "--part", "1"}), 0) << err_.str();
    std::string grid = bytesOf(folder_ / "demo.dt");
    EXPECT_EQ(grid.substr(0, 3), "\"\x82\x51");  // "２ in Shift-JIS: 八本, D in F major
    EXPECT_NE(grid.find("\r\n"), std::string::npos);
    EXPECT_EQ(run({"convert", kDemo.string(), (folder_ / "x.png").string(), "--page", "9"}), 1);
    EXPECT_NE(err_.str().find("ページ 9"), std::string::npos);
    EXPECT_EQ(run({"convert", kDemo.string(), (folder_ / "x.dt").string(), "--part", "3"}), 1);
    EXPECT_EQ(run({"convert", kDemo.string(), (folder_ / "x.png").string(), "--page"}), 1);
    EXPECT_EQ(run({"convert", kDemo.string(), (folder_ / "x.png").string(), "--zoom"}), 1);
    EXPECT_FALSE(fs::exists(folder_ / "x.png"));
}

TEST_F(CommandLine, HostileValuesConvertToEveryFormatQuickly) {
    fs::create_directories(folder_ / "home");
    std::ofstream(folder_ / "home" / "shinofu.INI", std::ios::binary)
        << "/w\r\n999999,999999\r\nblack,black\r\nred,red\r\n5000,99999\r\n2147483647,2147483647,1e300\r\n99\r\n"
           "2147483647,2147483647,2147483647,9,9,9,x\r\n";
    fs::path hostile = folder_ / "hostile.gd4";
    std::string notes;
    for (int i = 0; i < 300; ++i) notes += "c1 # tsrs-99999+99999+99999 2147483647 u,b3 x n -96 d,";
    std::ofstream(hostile, std::ios::binary)
        << "$V:3\r\n$MeasNum:2147483647\r\n$MEAS:99,99,99,0,-1\r\n$NumScore:99999,99999,99999,9,99,99,A\r\n"
           "$NFont:1e9,1e9,1\r\n$Chorus:2\r\n$TEMPO:=0,1,-8,0,0,0,6,10,10,0,M,1,-8,0,0,0,6,10,15,8,9/9\r\n$END\r\n"
        << notes << "\r\n$START\r\n$START\r\n$START\r\nno n n 0 u\r\n$END\r\n$NEND\r\n";
    for (const char* output : {"out.png", "out.mid", "out.dt", "out.json", "out.gd4"}) {
        EXPECT_EQ(run({"convert", hostile.string(), (folder_ / output).string(), "--page", "1"}), 0) << output << " " << err_.str();
        EXPECT_TRUE(fs::exists(folder_ / output)) << output;
    }
    EXPECT_EQ(run({"convert", hostile.string(), (folder_ / "numeric.png").string(), "--numeric"}), 0) << err_.str();
}

TEST_F(CommandLine, EveryPageWrittenTakesTheSurplusPagesOfAnEarlierExportAway) {
    for (int page = 1; page <= 40; ++page) std::ofstream(folder_ / ("page-" + std::to_string(page) + ".png")) << "old";
    std::ofstream(folder_ / "page-42.png") << "not of the run";
    std::ofstream(folder_ / "page-3.png.txt") << "not a page";
    ASSERT_EQ(run({"convert", kDemo.string(), (folder_ / "page.png").string()}), 0) << err_.str();
    // The demo is one page: written as named; the numbered pages of before are gone, up to the gap.
    EXPECT_EQ(bytesOf(folder_ / "page.png").substr(1, 3), "PNG");
    EXPECT_FALSE(fs::exists(folder_ / "page-1.png"));
    EXPECT_FALSE(fs::exists(folder_ / "page-40.png"));
    EXPECT_TRUE(fs::exists(folder_ / "page-42.png"));
    EXPECT_TRUE(fs::exists(folder_ / "page-3.png.txt"));
    // One page asked for leaves the others alone.
    std::ofstream(folder_ / "page-2.png") << "old";
    ASSERT_EQ(run({"convert", kDemo.string(), (folder_ / "page.png").string(), "--page", "1"}), 0) << err_.str();
    EXPECT_TRUE(fs::exists(folder_ / "page-2.png"));
}

TEST_F(CommandLine, SvgPagesKeepTheirTextsAsText) {
    ASSERT_EQ(run({"convert", kDemo.string(), (folder_ / "page.svg").string()}), 0) << err_.str();
    const std::string svg = bytesOf(folder_ / "page.svg");
    ASSERT_NE(svg.find("<svg"), std::string::npos);
    EXPECT_NE(svg.find("viewBox=\"0 0 990 1420\""), std::string::npos);
    EXPECT_NE(svg.find(">さくらさくら</text>"), std::string::npos);  // the title
    EXPECT_NE(svg.find(">み</text>"), std::string::npos);            // a lyric
    EXPECT_NE(svg.find("<path"), std::string::npos);                 // music glyphs as outlines
    ASSERT_EQ(run({"convert", kDemo.string(), (folder_ / "numeric.svg").string(), "--numeric"}), 0) << err_.str();
    EXPECT_NE(bytesOf(folder_ / "numeric.svg"), svg);
    EXPECT_EQ(run({"convert", kDemo.string(), (folder_ / "x.svg").string(), "--page", "2"}), 1);
    EXPECT_FALSE(fs::exists(folder_ / "x.svg"));
}

TEST_F(CommandLine, TransposeAndOctaveForAnotherFlute) {
    ASSERT_EQ(run({"convert", kDemo.string(), (folder_ / "up.json").string(), "--transpose", "2"}), 0) << err_.str();
    const std::string json = bytesOf(folder_ / "up.json");
    EXPECT_NE(json.find("\"keyLetter\": \"G\""), std::string::npos);  // F major up a tone
    ASSERT_EQ(run({"convert", kDemo.string(), (folder_ / "up.gd4").string(), "--transpose", "2"}), 0);
    ASSERT_EQ(run({"convert", (folder_ / "up.gd4").string(), (folder_ / "back.gd4").string(), "--transpose", "-2"}), 0);
    EXPECT_EQ(bytesOf(folder_ / "back.gd4"), bytesOf(kDemo));
    ASSERT_EQ(run({"convert", kDemo.string(), (folder_ / "low.gd4").string(), "--octave", "-1"}), 0);
    EXPECT_NE(bytesOf(folder_ / "low.gd4").find("d1 n n 96 u,d1 n n 96 u,e1 n n 192 u"), std::string::npos);
    EXPECT_EQ(run({"convert", kDemo.string(), (folder_ / "x.gd4").string(), "--transpose", "8"}), 1);
    EXPECT_EQ(run({"convert", kDemo.string(), (folder_ / "x.gd4").string(), "--octave", "2"}), 1);
    EXPECT_FALSE(fs::exists(folder_ / "x.gd4"));
}

TEST_F(CommandLine, WavFilesSoundForTheLengthOfTheScore) {
    // Four quarters at 60 and a half rest: five seconds and the one-second tail.
    std::ofstream(folder_ / "short.gd4", std::ios::binary) << "$V:3\r\n$END\r\nc1 n n 96 u,d1 n n 96 u,e1 n n 96 u,f1 n n 96 u\r\n";
    ASSERT_EQ(run({"convert", (folder_ / "short.gd4").string(), (folder_ / "short.wav").string()}), 0) << err_.str();
    const std::string wav = bytesOf(folder_ / "short.wav");
    ASSERT_GT(wav.size(), 44u);
    EXPECT_EQ(wav.substr(0, 4), "RIFF");
    EXPECT_EQ(wav.substr(8, 8), "WAVEfmt ");
    uint32_t dataBytes = 0;
    std::memcpy(&dataBytes, wav.data() + 40, 4);
    EXPECT_EQ(dataBytes, wav.size() - 44);
    const double seconds = dataBytes / (44100.0 * 4);
    EXPECT_NEAR(seconds, 4 + 1 + 1, 1.01);  // the notes, the trailing rest, the tail
    int loudest = 0;
    for (size_t at = 44; at + 1 < wav.size(); at += 2) {
        int16_t sample = 0;
        std::memcpy(&sample, wav.data() + at, 2);
        loudest = std::max(loudest, std::abs(static_cast<int>(sample)));
    }
    EXPECT_GT(loudest, 1000);
}

TEST_F(CommandLine, AWavPastTheFormatsLimitIsRefusedAndTemporariesAreOurOwn) {
    // Whole notes at tempo 4 for seven hours: past the 4 GiB a RIFF header can say, refused at once.
    std::string score = "$V:3\r\n$TEMPO:4\r\n$END\r\n";
    for (int measure = 0; measure < 420; ++measure) score += "c1 n n 384 u\r\n";
    std::ofstream(folder_ / "slow.gd4", std::ios::binary) << score;
    EXPECT_EQ(run({"convert", (folder_ / "slow.gd4").string(), (folder_ / "slow.wav").string()}), 1);
    EXPECT_NE(err_.str().find("4GiB"), std::string::npos) << err_.str();
    EXPECT_FALSE(fs::exists(folder_ / "slow.wav"));
    // A file and a link that happen to bear a temporary-looking name are none of ours.
    std::ofstream(folder_ / "short.gd4", std::ios::binary) << "$V:3\r\n$END\r\nc1 n n 96 u\r\n";
    std::ofstream(folder_ / "precious.txt") << "keep";
    std::ofstream(folder_ / "short.wav.tmp") << "mine";
    fs::create_symlink(folder_ / "precious.txt", folder_ / "link.wav.tmp");
    ASSERT_EQ(run({"convert", (folder_ / "short.gd4").string(), (folder_ / "short.wav").string()}), 0) << err_.str();
    ASSERT_EQ(run({"convert", (folder_ / "short.gd4").string(), (folder_ / "link.wav").string()}), 0) << err_.str();
    EXPECT_EQ(bytesOf(folder_ / "short.wav.tmp"), "mine");
    EXPECT_EQ(bytesOf(folder_ / "precious.txt"), "keep");
    int leftOver = 0;
    for (const auto& entry : fs::directory_iterator(folder_)) leftOver += entry.path().filename().string().starts_with(".");
    EXPECT_EQ(leftOver, 0);
}

TEST_F(CommandLine, MidiFilesImportAndBadOnesFailWithAMessage) {
    ASSERT_EQ(run({"convert", kDemo.string(), (folder_ / "demo.mid").string()}), 0) << err_.str();
    ASSERT_EQ(run({"convert", (folder_ / "demo.mid").string(), (folder_ / "back.json").string()}), 0) << err_.str();
    const std::string json = bytesOf(folder_ / "back.json");
    EXPECT_NE(json.find("\"title\": \"demo\""), std::string::npos);
    EXPECT_NE(json.find("\"keyLetter\": \"F\""), std::string::npos);
    std::ofstream(folder_ / "bad.mid", std::ios::binary) << "MThd\0\0\0\6\0\2\0\1\0\x60";
    EXPECT_EQ(run({"convert", (folder_ / "bad.mid").string(), (folder_ / "x.gd4").string()}), 1);
    EXPECT_NE(err_.str().find("MIDI"), std::string::npos);
    EXPECT_FALSE(fs::exists(folder_ / "x.gd4"));
}

TEST_F(CommandLine, JpegPdfAndPageByPagePictures) {
    ASSERT_EQ(run({"convert", kDemo.string(), (folder_ / "page.jpg").string()}), 0) << err_.str();
    const std::string jpeg = bytesOf(folder_ / "page.jpg");
    ASSERT_GT(jpeg.size(), 4u);
    EXPECT_EQ(jpeg.substr(0, 2), "\xFF\xD8");
    const auto frame = jpeg.find("\xFF\xC0");  // baseline frame header: precision, height, width, components
    ASSERT_NE(frame, std::string::npos);
    EXPECT_EQ(static_cast<unsigned char>(jpeg[frame + 9]), 1) << "one grey component";

    // A score long enough for several pages: the PDF has them all, PNG and SVG write one file per page.
    std::string measures;
    for (int i = 0; i < 120; ++i) measures += "d2 n n 96 d,e2 n n 96 d,f2 n n 96 d,e2 n n 96 d\r\n";
    const fs::path longScore = folder_ / "long.gd4";
    std::ofstream(longScore, std::ios::binary) << "$V:3\r\n$MeasNum:120\r\n$END\r\n" << measures << "$NEND\r\n";
    ASSERT_EQ(run({"convert", longScore.string(), (folder_ / "long.pdf").string()}), 0) << err_.str();
    const std::string pdf = bytesOf(folder_ / "long.pdf");
    EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
    std::size_t pages = 0;
    for (auto at = pdf.find("/Type /Page\n"); at != std::string::npos; at = pdf.find("/Type /Page\n", at + 1)) ++pages;
    EXPECT_GT(pages, 1u);
    ASSERT_EQ(run({"convert", longScore.string(), (folder_ / "long.png").string()}), 0) << err_.str();
    EXPECT_FALSE(fs::exists(folder_ / "long.png"));
    for (std::size_t page = 1; page <= pages; ++page)
        EXPECT_EQ(bytesOf(folder_ / ("long-" + std::to_string(page) + ".png")).substr(1, 3), "PNG") << page;
    EXPECT_FALSE(fs::exists(folder_ / ("long-" + std::to_string(pages + 1) + ".png")));
}

// The English program speaks English and writes exactly the files the Japanese one writes.
TEST_F(CommandLine, InEnglishTheMessagesChangeAndTheFilesDoNot) {
    // Each language in a folder of its own, the files named alike (an import takes its title from the name).
    const auto filesMadeFromTheDemo = [this](const std::string& language) {
        const fs::path folder = folder_ / language;
        fs::create_directories(folder);
        EXPECT_EQ(run({"convert", kDemo.string(), (folder / "demo.mid").string()}), 0) << err_.str();
        EXPECT_EQ(run({"convert", kDemo.string(), (folder / "demo.musicxml").string()}), 0) << err_.str();
        EXPECT_EQ(run({"convert", kDemo.string(), (folder / "demo.dt").string()}), 0) << err_.str();
        EXPECT_EQ(run({"convert", (folder / "demo.mid").string(), (folder / "from-midi.gd4").string()}), 0);
        EXPECT_EQ(run({"convert", (folder / "demo.musicxml").string(), (folder / "from-xml.gd4").string()}), 0);
        std::map<std::string, std::string> files;
        for (const char* name : {"demo.mid", "demo.musicxml", "demo.dt", "from-midi.gd4", "from-xml.gd4"}) {
            files[name] = bytesOf(folder / name);
        }
        return files;
    };
    const auto japanese = filesMadeFromTheDemo("ja");
    EXPECT_EQ(run({"convert", kDemo.string()}), 1);
    const std::string japaneseUsage = err_.str();

    ::setenv("SHINOFU_LANG", "en", 1);
    ASSERT_TRUE(shinofu::app::installLanguage());
    err_.str("");
    EXPECT_EQ(run({"convert", kDemo.string()}), 1);
    const std::string englishUsage = err_.str();
    const auto english = filesMadeFromTheDemo("en");
    shinofu::ui::setTranslator(nullptr);
    ::setenv("SHINOFU_LANG", "ja", 1);

    EXPECT_NE(englishUsage.find("Usage:"), std::string::npos) << englishUsage;
    EXPECT_EQ(englishUsage.find("使い方"), std::string::npos);
    EXPECT_NE(japaneseUsage.find("使い方"), std::string::npos);
    EXPECT_EQ(english, japanese);
}
