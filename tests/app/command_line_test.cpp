#include "app/command_line.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/file_io.h"

namespace fs = std::filesystem;
using shinofu::app::isConversionCommand;
using shinofu::app::runConversion;

namespace {

class CommandLine : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("shinofu_cli_" + std::to_string(::getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        ::setenv("SHINOFU_HOME", (folder_ / "home").c_str(), 1);
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string bytesOf(const fs::path& path) {
        shinofu::platform::IoError error;
        return shinofu::platform::readFileBytes(path, error).value_or("");
    }
    int run(std::vector<std::string> args) {
        err_.str("");
        return runConversion(args, err_);
    }

    fs::path folder_;
    std::ostringstream err_;
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

TEST_F(CommandLine, BadInputFailsWithAMessage) {
    EXPECT_EQ(run({"convert", (folder_ / "missing.gd4").string(), (folder_ / "x.json").string()}), 1);
    EXPECT_NE(err_.str().find("missing.gd4"), std::string::npos);
    EXPECT_EQ(run({"convert", kDemo.string(), (folder_ / "x.xyz").string()}), 1);
    EXPECT_NE(err_.str().find("x.xyz"), std::string::npos);
    EXPECT_EQ(run({"convert", (folder_ / "a.txt").string(), (folder_ / "x.gd4").string()}), 1);
    EXPECT_EQ(run({"convert", kDemo.string()}), 1);
    EXPECT_NE(err_.str().find("使い方"), std::string::npos);
    EXPECT_EQ(run({"convert", kDemo.string(), (folder_ / "no" / "such" / "x.gd4").string()}), 1);
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
