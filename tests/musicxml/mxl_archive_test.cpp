// Compressed MusicXML: the document the container names, or the first score entry without one;
// archives that are broken, empty of scores or unpack past the ceiling are refused with a reason.
#include <gtest/gtest.h>

#include <zip.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "musicxml/mxl_archive.h"

namespace shinofu {
namespace {

namespace fs = std::filesystem;

// A ZIP written by libzip itself, as other programs write .mxl files.
std::string zipOf(const std::vector<std::pair<std::string, std::string>>& entries) {
    const fs::path file = fs::temp_directory_path() / ("mxl_test_" + std::to_string(::getpid()) + ".zip");
    int error = 0;
    zip_t* archive = zip_open(file.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    EXPECT_NE(archive, nullptr);
    for (const auto& [name, text] : entries) {
        zip_source_t* source = zip_source_buffer(archive, text.data(), text.size(), 0);
        EXPECT_GE(zip_file_add(archive, name.c_str(), source, ZIP_FL_OVERWRITE), 0);
    }
    EXPECT_EQ(zip_close(archive), 0);
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    fs::remove(file);
    return bytes.str();
}

const std::string kContainer =
    "<?xml version=\"1.0\"?><container><rootfiles><rootfile full-path=\"score/song.musicxml\" "
    "media-type=\"application/vnd.recordare.musicxml+xml\"/></rootfiles></container>";

TEST(MxlArchive, TheContainerNamesTheScoreAndWithoutOneTheFirstScoreEntryIsTaken) {
    const std::string named = zipOf({{"mimetype", "application/vnd.recordare.musicxml"},
                                     {"META-INF/container.xml", kContainer},
                                     {"other.xml", "<not-this/>"},
                                     {"score/song.musicxml", "<score-partwise/>"}});
    ASSERT_TRUE(musicxml::looksLikeZip(named));
    auto unpacked = musicxml::unpackMxl(named);
    ASSERT_TRUE(unpacked.document) << unpacked.error;
    EXPECT_EQ(*unpacked.document, "<score-partwise/>");

    unpacked = musicxml::unpackMxl(zipOf({{"META-INF/other.xml", "<x/>"}, {"song.xml", "<score-partwise version=\"3.1\"/>"}}));
    ASSERT_TRUE(unpacked.document) << unpacked.error;
    EXPECT_EQ(*unpacked.document, "<score-partwise version=\"3.1\"/>");
}

TEST(MxlArchive, BrokenEmptyAndOversizedArchivesAreRefused) {
    EXPECT_FALSE(musicxml::looksLikeZip("<score-partwise/>"));
    const std::string whole = zipOf({{"META-INF/container.xml", kContainer}, {"score/song.musicxml", "<score-partwise/>"}});
    EXPECT_EQ(musicxml::unpackMxl(whole.substr(0, whole.size() / 2)).error, "MXLファイルが壊れています");
    EXPECT_EQ(musicxml::unpackMxl(zipOf({{"readme.txt", "no score"}})).error, "MXLファイルに楽譜がありません");
    // A container naming an entry that is not there.
    EXPECT_EQ(musicxml::unpackMxl(zipOf({{"META-INF/container.xml", kContainer}})).error, "MXLファイルに楽譜がありません");
    // A bomb: 4 MiB of one letter packs into a few kilobytes and unpacks past the ceiling.
    const std::string bomb = zipOf({{"META-INF/container.xml", kContainer}, {"score/song.musicxml", std::string(4 << 20, 'a')}});
    EXPECT_LT(bomb.size(), 64u << 10);
    const auto refused = musicxml::unpackMxl(bomb, 1 << 20);
    EXPECT_FALSE(refused.document);
    EXPECT_EQ(refused.error, "MXLファイルの中の楽譜が大きすぎます");
}

}  // namespace
}  // namespace shinofu
