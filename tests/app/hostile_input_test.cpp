// Files made to hurt: bounded time and memory when drawn, honest failures, pictures never half-written.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>

#include "conversion_fixture.h"
#include "model/score_budget.h"

namespace fs = std::filesystem;

namespace {

class HostileInput : public shinofu::testing::ConversionTest {
protected:
    HostileInput() : ConversionTest("hostile") {}

    void SetUp() override {
        ConversionTest::SetUp();
        fs::create_directories(folder_ / "home");
    }
    fs::path write(const std::string& name, const std::string& bytes) {
        std::ofstream(folder_ / name, std::ios::binary) << bytes;
        return folder_ / name;
    }
    // Draws the file as the staff page and the numeric page within a memory bound (bench/hostile_input_bench
    // times them).
    void expectCheapPages(const fs::path& file) {
        for (bool numeric : {false, true}) {
            std::vector<std::string> args = {"convert", file.string(), (folder_ / "page.png").string()};
            if (numeric) args.push_back("--numeric");
            ASSERT_EQ(run(args), 0) << file << " " << err_.str();
            rusage usage{};
            ::getrusage(RUSAGE_SELF, &usage);
            EXPECT_LT(usage.ru_maxrss, 400 * 1024) << file;  // kilobytes
        }
    }
};

const std::string kEmptySections = "$END\r\n$NEND\r\n$STARTM\r\n$END\r\n$STARTS\r\n$END\r\n$STARTL\r\n$END\r\n";

}  // namespace

TEST_F(HostileInput, HugeGlyphSizesLongTextsAndStackedNotesDrawCheaply) {
    // The metronome glyph at a size no dialog can set.
    for (const char* size : {"-32768", "65535", "2147483647"}) {
        expectCheapPages(write("glyph.gd4", std::string("$V:3\r\n$TEMPO:=60,1,-8,0,36,39,9,6,6,0,M,1,-8,0,31,33,7,") +
                                                size + "," + size + ",8,4/4\r\n$END\r\n"));
    }
    // A title of a megabyte: kept whole in the model, cut where drawn.
    const std::string title(1 << 20, 'A');
    const fs::path titled = write("title.gd4", "$V:3\r\n$NAME:" + title + ",1,-8,0,0,0,6,10,1,0,;,;,\r\n$END\r\nc1 n n 96 u\r\n");
    expectCheapPages(titled);
    ASSERT_EQ(run({"convert", titled.string(), (folder_ / "title.json").string()}), 0);
    EXPECT_NE(bytesOf(folder_ / "title.json").find(title), std::string::npos);
    // Notes that take no time, all in one place.
    std::string stacked = "$V:3\r\n$END\r\n";
    for (int line = 0; line < 100; ++line) {
        for (int i = 0; i < 1000; ++i) stacked += i ? ",c1 n ts 0 u" : "c1 n ts 0 u";
        stacked += "\r\n";
    }
    expectCheapPages(write("stacked.gd4", stacked + kEmptySections));
}

TEST_F(HostileInput, AHugeConfiguredViewStaysWithinMemory) {
    std::ofstream(folder_ / "home" / "shinofu.INI", std::ios::binary)
        << "/w\r\n16384,16384\r\nblack,white\r\nred,red\r\n30,10\r\n5,40,20\r\n4\r\n";
    expectCheapPages(fs::path(SHINOFU_SOURCE_DIR) / "data/demo/sakura.gd4");
}

TEST_F(HostileInput, WhatIsNoScoreFailsAndLeavesTheOutputAlone) {
    const fs::path out = write("out.gd4", "the previous file");
    const std::string jpeg = std::string("\xFF\xD8\xFF\xE0\x00\x10JFIF\x00\x01", 12) + std::string(2000, '\x7F');
    fs::create_directories(folder_ / "folder.gd4");
    for (const fs::path& in : {folder_ / "folder.gd4", write("empty.gd4", ""), write("photo.gd4", jpeg),
                               write("noise.gd3", "lorem ipsum\r\n\x01\x02\x03\r\n"),
                               write("notes.gd4", "Meeting notes\r\nno agenda, rest later\r\n"),
                               write("cell.gd4", "c1 is a cell\r\n"), write("version.gd4", "$V:3\r\n")}) {
        EXPECT_EQ(run({"convert", in.string(), out.string()}), 1) << in;
        EXPECT_FALSE(err_.str().empty()) << in;
        EXPECT_EQ(bytesOf(out), "the previous file") << in;
    }
    EXPECT_EQ(run({"convert", (folder_ / "empty.gd4").string(), out.string()}), 1);
    EXPECT_NE(err_.str().find("譜面ファイルではありません"), std::string::npos);
    // A damaged score that still holds a note line is read as before.
    EXPECT_EQ(run({"convert", write("damaged.gd4", "\x01garbage\r\nc1 n n 96 u\r\n").string(), out.string()}), 0)
        << err_.str();
}

TEST_F(HostileInput, AScoreFilePastTheBudgetIsRefusedBeforeItIsBuilt) {
    const fs::path out = write("out.json", "the previous dump");
    std::string notes = "$V:3\r\n$END\r\n";
    for (int i = 0; i <= shinofu::model::kMostNotesPerPart; ++i) notes += "c1 n n 96 u,";
    notes += "c1 n n 96 u\r\n";
    EXPECT_EQ(run({"convert", write("huge.gd4", notes).string(), out.string()}), 1);
    EXPECT_NE(err_.str().find(shinofu::model::tooManyNotesMessage()), std::string::npos) << err_.str();
    EXPECT_EQ(bytesOf(out), "the previous dump");
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    EXPECT_LT(usage.ru_maxrss, 400 * 1024);  // kilobytes
}

TEST_F(HostileInput, RunningOutOfMemoryEndsWithAJapaneseMessageAndKeepsTheOutput) {
    const fs::path out = write("out.json", "the previous dump");
    std::string notes = "$V:3\r\n$END\r\n";
    for (int part = 1; part <= 6; ++part) {
        if (part > 1) notes += "$START\r\n";
        for (int i = 0; i < 150000; ++i) notes += i % 1000 == 999 ? "c2 n n 12 u\r\n" : "c2 n n 12 u,";
    }
    const fs::path in = write("large.gd4", notes + "\r\n");
    int channel[2];
    ASSERT_EQ(::pipe(channel), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        // The program itself, with less address space than this score needs.
        rlimit limit{150u << 20, 150u << 20};
        ::setrlimit(RLIMIT_AS, &limit);
        ::dup2(channel[1], STDERR_FILENO);
        ::execl(SHINOFU_PROGRAM, SHINOFU_PROGRAM, "convert", in.c_str(), out.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(channel[1]);
    std::string told;
    char buffer[512];
    for (ssize_t got; (got = ::read(channel[0], buffer, sizeof buffer)) > 0;) told.append(buffer, static_cast<size_t>(got));
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status)) << told;
    EXPECT_EQ(WEXITSTATUS(status), 1) << told;
    EXPECT_EQ(told, "メモリが足りないため中止しました\n");
    EXPECT_EQ(bytesOf(out), "the previous dump");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 3);  // home, large.gd4, out.json
}

TEST_F(HostileInput, AFailedPictureWriteKeepsTheOldPictureAndLeavesNoTemporaryFile) {
    const fs::path demo = fs::path(SHINOFU_SOURCE_DIR) / "data/demo/sakura.gd4";
    const fs::path out = write("page.png", std::string(100, 'p'));
    // A file-size limit makes every write past it fail, as a full disk does.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous{};
    ::getrlimit(RLIMIT_FSIZE, &previous);
    rlimit small = previous;
    small.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const int status = run({"convert", demo.string(), out.string()});
    ::setrlimit(RLIMIT_FSIZE, &previous);
    EXPECT_EQ(status, 1);
    EXPECT_NE(err_.str().find("page.png"), std::string::npos) << err_.str();
    EXPECT_EQ(bytesOf(out), std::string(100, 'p'));
    int files = 0;
    for (const auto& entry : fs::directory_iterator(folder_)) files += entry.is_regular_file();
    EXPECT_EQ(files, 1);  // no temporary file left beside it
    ASSERT_EQ(run({"convert", demo.string(), out.string()}), 0);
    EXPECT_EQ(bytesOf(out).substr(1, 3), "PNG");
}
