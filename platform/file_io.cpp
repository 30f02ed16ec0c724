#include "platform/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

namespace shinofu::platform {
namespace {

// The cause in the user's words where it is a common one, the system's words otherwise.
std::string causeOf(int error) {
    switch (error) {
    case ENOSPC:
    case EDQUOT: return "ディスクの空き容量が足りません";
    case EACCES:
    case EPERM: return "アクセスの許可がありません";
    case EROFS: return "読み取り専用の場所です";
    case ENOENT: return "ファイルまたはフォルダがありません";
    case EISDIR: return "フォルダです";
    case EFBIG: return "ファイルが大きすぎます";
    default: return std::strerror(error);
    }
}

std::string describe(const char* what, const std::filesystem::path& path, int error) {
    return std::string(what) + "：" + path.string() + "\n" + causeOf(error);
}

}  // namespace

std::optional<std::string> readFileBytes(const std::filesystem::path& path, IoError& error) {
    std::error_code status;
    if (std::filesystem::is_directory(path, status)) {
        error.message = describe("ファイルを開けません", path, EISDIR);
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error.message = describe("ファイルを開けません", path, errno);
        return std::nullopt;
    }
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad()) {
        error.message = describe("ファイルを読み込めません", path, errno);
        return std::nullopt;
    }
    return std::move(content).str();
}

bool writeFileAtomically(const std::filesystem::path& path, const std::string& bytes, IoError& error) {
    std::filesystem::path folder = path.parent_path().empty() ? "." : path.parent_path();
    std::string pattern = (folder / ("." + path.filename().string() + ".XXXXXX")).string();
    int fd = mkstemp(pattern.data());
    if (fd < 0) {
        error.message = describe("ファイルを書き込めません", path, errno);
        return false;
    }
    const char* data = bytes.data();
    size_t left = bytes.size();
    int failure = 0;
    while (left > 0 && failure == 0) {
        ssize_t written = ::write(fd, data, left);
        if (written < 0) {
            if (errno != EINTR) failure = errno;
            continue;
        }
        data += written;
        left -= static_cast<size_t>(written);
    }
    if (failure == 0 && ::fsync(fd) != 0) failure = errno;
    // Keep the target's permissions, or those a newly created file would get, not mkstemp's 0600.
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0) {
        ::fchmod(fd, existing.st_mode & 07777);
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
    }
    if (::close(fd) != 0 && failure == 0) failure = errno;
    if (failure == 0 && std::rename(pattern.c_str(), path.c_str()) != 0) failure = errno;
    if (failure != 0) {
        std::remove(pattern.c_str());
        error.message = describe("ファイルを書き込めません", path, failure);
        return false;
    }
    return true;
}

}  // namespace shinofu::platform
