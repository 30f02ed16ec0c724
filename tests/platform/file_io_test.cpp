#include "platform/file_io.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;
using shinofu::platform::IoError;
using shinofu::platform::readFileBytes;
using shinofu::platform::writeFileAtomically;

namespace {

fs::path freshFolder(const char* name) {
    fs::path folder = fs::temp_directory_path() / ("shinofu_io_" + std::string(name) + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

}  // namespace

TEST(FileIo, WritesThenReadsBackAndLeavesNoTemporaryFile) {
    fs::path folder = freshFolder("write");
    fs::path file = folder / "score.gd4";
    IoError error;
    ASSERT_TRUE(writeFileAtomically(file, std::string("a\0b", 3), error)) << error.message;
    ASSERT_TRUE(writeFileAtomically(file, "second", error)) << error.message;
    auto bytes = readFileBytes(file, error);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(*bytes, "second");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
    fs::remove_all(folder);
}

TEST(FileIo, FailedWriteKeepsThePreviousFile) {
    fs::path folder = freshFolder("fail");
    fs::path file = folder / "score.gd4";
    IoError error;
    ASSERT_TRUE(writeFileAtomically(file, "precious", error));
    // A target that is a folder cannot be replaced by a rename.
    fs::path blocked = folder / "blocked.gd4";
    fs::create_directories(blocked / "inside");
    EXPECT_FALSE(writeFileAtomically(blocked, "new", error));
    EXPECT_NE(error.message.find("blocked.gd4"), std::string::npos);
    EXPECT_TRUE(fs::is_directory(blocked));
    // A missing folder fails before anything is written.
    EXPECT_FALSE(writeFileAtomically(folder / "missing" / "x.gd4", "new", error));
    EXPECT_EQ(*readFileBytes(file, error), "precious");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 2);
    fs::remove_all(folder);
}

TEST(FileIo, KeepsPermissionsOfTheReplacedFile) {
    fs::path folder = freshFolder("mode");
    fs::path file = folder / "score.gd4";
    IoError error;
    ASSERT_TRUE(writeFileAtomically(file, "one", error));
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_TRUE(writeFileAtomically(file, "two", error));
    EXPECT_EQ(fs::status(file).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::remove_all(folder);
}

TEST(FileIo, MissingFileIsAnErrorWithItsPath) {
    IoError error;
    EXPECT_FALSE(readFileBytes("/nonexistent/shinofu/x.gd4", error));
    EXPECT_NE(error.message.find("/nonexistent/shinofu/x.gd4"), std::string::npos);
}
