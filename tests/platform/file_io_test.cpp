#include "platform/file_io.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;
using shinofu::platform::AtomicFile;
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

size_t entriesIn(const fs::path& folder) {
    return static_cast<size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

void plant(const fs::path& file, bool old) {
    std::ofstream(file) << "left behind";
    if (old) fs::last_write_time(file, fs::file_time_type::clock::now() - std::chrono::hours(1));
}

void tell(int channel, const std::string& text) {
    if (::write(channel, text.data(), text.size()) < 0) ::_exit(3);
}

// Runs work in a child process and returns its wait status; the child's message comes back in told.
template <typename Work>
int inChild(Work work, std::string& told) {
    int channel[2];
    if (::pipe(channel) != 0) return -1;
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        work(channel[1]);
        ::_exit(0);
    }
    ::close(channel[1]);
    char buffer[512];
    ssize_t got = 0;
    while ((got = ::read(channel[0], buffer, sizeof buffer)) > 0) {
        told.append(buffer, static_cast<size_t>(got));
        if (told.find("ready") != std::string::npos) ::kill(child, SIGTERM);
    }
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return status;
}

}  // namespace

TEST(FileIo, StaleTemporariesOfTheTargetAreSweptWhileLiveOnesAndOtherFilesStay) {
    fs::path folder = freshFolder("sweep");
    plant(folder / ".score.gd4.AbC123", true);     // a killed writer's: goes
    plant(folder / ".score.gd4.fresh1", false);    // perhaps just created by another writer: stays
    plant(folder / ".score.gd4.Held12", true);     // a live writer holds it: stays
    plant(folder / ".score.gd4.AbC1234", true);    // not our pattern: stays
    plant(folder / ".other.gd4.AbC123", true);     // another target's: stays
    plant(folder / "outside", true);
    fs::create_symlink(folder / "outside", folder / ".score.gd4.Link12");
    const int held = ::open((folder / ".score.gd4.Held12").c_str(), O_RDONLY);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    IoError error;
    ASSERT_TRUE(writeFileAtomically(folder / "score.gd4", "new", error)) << error.message;
    ::close(held);
    EXPECT_FALSE(fs::exists(folder / ".score.gd4.AbC123"));
    for (const char* kept : {".score.gd4.fresh1", ".score.gd4.Held12", ".score.gd4.AbC1234", ".other.gd4.AbC123",
                             ".score.gd4.Link12", "outside", "score.gd4"}) {
        EXPECT_TRUE(fs::exists(fs::symlink_status(folder / kept))) << kept;
    }
    EXPECT_EQ(*readFileBytes(folder / "outside", error), "left behind");
    fs::remove_all(folder);
}

TEST(FileIo, AStoppedOrOversizedWriteLeavesNoTemporaryAndKeepsThePreviousFile) {
    fs::path folder = freshFolder("signal");
    const fs::path target = folder / "song.wav";
    IoError error;
    ASSERT_TRUE(writeFileAtomically(target, "previous", error));

    // Stopped with SIGTERM in the middle of a write: the process still ends by the signal.
    std::string told;
    int status = inChild(
        [&](int channel) {
            AtomicFile file(target);
            file.append(std::string(1 << 16, 'x'));
            tell(channel, "ready");
            for (;;) ::pause();
        },
        told);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), SIGTERM);
    EXPECT_EQ(entriesIn(folder), 1u);

    // Past the file-size limit: the write fails with its cause instead of the process dying.
    told.clear();
    status = inChild(
        [&](int channel) {
            rlimit limit{4096, 4096};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            IoError failure;
            {
                AtomicFile file(target);
                file.append(std::string(1 << 20, 'x'));
                if (file.commit(failure)) ::_exit(2);
            }
            tell(channel, failure.message);
        },
        told);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_NE(told.find("ファイルが大きすぎます"), std::string::npos) << told;
    EXPECT_EQ(entriesIn(folder), 1u);
    EXPECT_EQ(*readFileBytes(target, error), "previous");
    fs::remove_all(folder);
}

TEST(FileIo, WritesThenReadsBackAndLeavesNoTemporaryFile) {
    fs::path folder = freshFolder("write");
    fs::path file = folder / "score.gd4";
    IoError error;
    ASSERT_TRUE(writeFileAtomically(file, std::string("a\0b", 3), error)) << error.message;
    ASSERT_TRUE(writeFileAtomically(file, "second", error)) << error.message;
    auto bytes = readFileBytes(file, error);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(*bytes, "second");
    EXPECT_EQ(entriesIn(folder), 1u);
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
    EXPECT_EQ(entriesIn(folder), 2u);
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

TEST(FileIo, AFileOrDeviceBeyondTheCeilingIsRefused) {
    fs::path folder = freshFolder("ceiling");
    IoError error;
    for (const auto& [name, size] : {std::pair{"at.gd4", 0}, std::pair{"past.gd4", 1}}) {
        std::ofstream(folder / name).close();
        fs::resize_file(folder / name, shinofu::platform::kMostFileBytes + size);  // sparse: no disk taken
    }
    EXPECT_EQ(readFileBytes(folder / "at.gd4", error)->size(), shinofu::platform::kMostFileBytes);
    for (const fs::path& beyond : {fs::path("/dev/zero"), folder / "past.gd4"}) {
        EXPECT_FALSE(readFileBytes(beyond, error));
        EXPECT_EQ(error.message, "ファイルが大きすぎます（64MiBまで）：" + beyond.string());
    }
    fs::remove_all(folder);
}
