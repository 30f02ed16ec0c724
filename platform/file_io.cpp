#include "platform/file_io.h"

#include "platform/ui_text.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <fstream>

namespace shinofu::platform {
namespace {

// The cause in the user's words where it is a common one, the system's words otherwise.
std::string causeOf(int error) {
    switch (error) {
    case ENOSPC:
    case EDQUOT: return ui::text("ui", "ディスクの空き容量が足りません");
    case EACCES:
    case EPERM: return ui::text("ui", "アクセスの許可がありません");
    case EROFS: return ui::text("ui", "読み取り専用の場所です");
    case ENOENT: return ui::text("ui", "ファイルまたはフォルダがありません");
    case EISDIR: return ui::text("ui", "フォルダです");
    case EFBIG: return ui::text("ui", "ファイルが大きすぎます");
    default: return std::strerror(error);
    }
}

std::string describe(const std::string& what, const std::filesystem::path& path, int error) {
    return ui::withDetail(what, path.string()) + "\n" + causeOf(error);
}

}  // namespace

std::string lowerExtension(const std::filesystem::path& path) {
    std::string ext = path.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    return ext;
}

std::optional<std::string> readFileBytes(const std::filesystem::path& path, IoError& error) {
    std::error_code status;
    if (std::filesystem::is_directory(path, status)) {
        error.message = describe(ui::text("ui", "ファイルを開けません"), path, EISDIR);
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error.message = describe(ui::text("ui", "ファイルを開けません"), path, errno);
        return std::nullopt;
    }
    std::string content;
    char buffer[1 << 16];
    // Read in pieces and counted: a size asked beforehand says nothing of a device or a pipe.
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        content.append(buffer, static_cast<size_t>(in.gcount()));
        if (content.size() > kMostFileBytes) {
            error.message = ui::format(ui::text("ui", "ファイルが大きすぎます（%1MiBまで）："), {std::to_string(kMostFileBytes >> 20)}) +
                            path.string();
            return std::nullopt;
        }
    }
    if (in.bad()) {
        error.message = describe(ui::text("ui", "ファイルを読み込めません"), path, errno);
        return std::nullopt;
    }
    return content;
}

AtomicFile::AtomicFile(std::filesystem::path target) : target_(std::move(target)) {
    sweepStaleTemporaries(target_);
    temporary_ = temporaryPatternFor(target_).string();
    fd_ = ::mkostemp(temporary_.data(), O_CLOEXEC);
    created_ = fd_ >= 0;
    if (!created_) {
        failure_ = errno;
        return;
    }
    // Held until the end: the lock tells another writer's sweep that this temporary is alive.
    ::flock(fd_, LOCK_EX | LOCK_NB);
    guard_ = std::make_unique<TemporaryGuard>(temporary_);
}

AtomicFile::~AtomicFile() {
    if (fd_ >= 0) ::close(fd_);
    if (created_ && !committed_) std::remove(temporary_.c_str());
    guard_.reset();
}

bool AtomicFile::writeAt(const char* data, size_t size, std::optional<uint64_t> offset) {
    if (failure_ != 0) return false;
    uint64_t at = offset.value_or(0);
    while (size > 0) {
        const ssize_t written = offset ? ::pwrite(fd_, data, size, static_cast<off_t>(at)) : ::write(fd_, data, size);
        if (written < 0) {
            if (errno == EINTR) continue;
            failure_ = errno;
            return false;
        }
        data += written;
        size -= static_cast<size_t>(written);
        at += static_cast<uint64_t>(written);
    }
    return true;
}

bool AtomicFile::append(std::string_view bytes) { return writeAt(bytes.data(), bytes.size(), std::nullopt); }

bool AtomicFile::overwrite(uint64_t offset, std::string_view bytes) { return writeAt(bytes.data(), bytes.size(), offset); }

bool AtomicFile::commit(IoError& error) {
    if (failure_ == 0 && ::fsync(fd_) != 0) failure_ = errno;
    // Keep the target's permissions, or those a newly created file would get, not mkstemp's 0600.
    if (fd_ >= 0) {
        struct stat existing {};
        if (::stat(target_.c_str(), &existing) == 0) {
            ::fchmod(fd_, existing.st_mode & 07777);
        } else {
            mode_t mask = ::umask(0);
            ::umask(mask);
            ::fchmod(fd_, 0666 & ~mask);
        }
    }
    // Renamed while still open and locked, so no sweep takes it for a dead writer's; flushed
    // already, so closing can no longer lose data.
    if (failure_ == 0 && std::rename(temporary_.c_str(), target_.c_str()) != 0) failure_ = errno;
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (failure_ != 0) {
        error.message = describe(ui::text("ui", "ファイルを書き込めません"), target_, failure_);
        return false;
    }
    committed_ = true;
    return true;
}

bool writeFileAtomically(const std::filesystem::path& path, const std::string& bytes, IoError& error) {
    AtomicFile file(path);
    file.append(bytes);
    return file.commit(error);
}

}  // namespace shinofu::platform
