#include "platform/temporary_guard.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cctype>
#include <climits>
#include <csignal>
#include <cstring>
#include <ctime>
#include <mutex>

namespace shinofu::platform {
namespace {

enum SlotState : int { kFree, kFilling, kArmed };

struct Slot {
    std::atomic<int> state{kFree};
    char path[PATH_MAX] = {};
};

// Fixed storage: the handler may only read memory that no allocation moves.
std::array<Slot, 32> slots;

constexpr int kStopSignals[] = {SIGTERM, SIGINT, SIGHUP, SIGQUIT};

void removeArmedTemporaries(int signal) {
    for (Slot& slot : slots) {
        if (slot.state.load() == kArmed) ::unlink(slot.path);
    }
    // The handler was installed with SA_RESETHAND: raised again, the signal ends the process as it
    // would have without us, once this handler returns.
    ::raise(signal);
}

void ignoreFileSizeSignal(int) {}

void installHandlers() {
    for (int signal : kStopSignals) {
        struct sigaction current {};
        // A handler the program or the embedding process chose is left in place.
        if (::sigaction(signal, nullptr, &current) != 0 || current.sa_handler != SIG_DFL) continue;
        struct sigaction action {};
        action.sa_handler = removeArmedTemporaries;
        action.sa_flags = SA_RESETHAND;
        sigemptyset(&action.sa_mask);
        ::sigaction(signal, &action, nullptr);
    }
    struct sigaction current {};
    if (::sigaction(SIGXFSZ, nullptr, &current) == 0 && current.sa_handler == SIG_DFL) {
        struct sigaction action {};
        action.sa_handler = ignoreFileSizeSignal;  // a handler, not SIG_IGN: programs started later get the default
        sigemptyset(&action.sa_mask);
        ::sigaction(SIGXFSZ, &action, nullptr);
    }
}

bool isTemporaryOf(const std::string& name, const std::string& prefix) {
    if (name.size() != prefix.size() + 6 || name.compare(0, prefix.size(), prefix) != 0) return false;
    for (size_t i = prefix.size(); i < name.size(); ++i) {
        if (!std::isalnum(static_cast<unsigned char>(name[i]))) return false;
    }
    return true;
}

// Old enough that its writer has long held the lock it takes right after creating the file.
constexpr time_t kStaleAfterSeconds = 10;

}  // namespace

TemporaryGuard::TemporaryGuard(const std::filesystem::path& path) {
    static std::once_flag installed;
    std::call_once(installed, installHandlers);
    const std::string& text = path.native();
    if (text.size() >= PATH_MAX) return;
    for (size_t i = 0; i < slots.size(); ++i) {
        int expected = kFree;
        if (!slots[i].state.compare_exchange_strong(expected, kFilling)) continue;
        std::memcpy(slots[i].path, text.c_str(), text.size() + 1);
        slots[i].state.store(kArmed);
        slot_ = static_cast<int>(i);
        return;
    }
}

TemporaryGuard::~TemporaryGuard() {
    if (slot_ >= 0) slots[static_cast<size_t>(slot_)].state.store(kFree);
}

std::filesystem::path temporaryPatternFor(const std::filesystem::path& target) {
    const std::filesystem::path folder = target.parent_path().empty() ? "." : target.parent_path();
    return folder / ("." + target.filename().string() + ".XXXXXX");
}

void sweepStaleTemporaries(const std::filesystem::path& target) {
    const std::filesystem::path pattern = temporaryPatternFor(target);
    const std::string name = pattern.filename().string();
    const std::string prefix = name.substr(0, name.size() - 6);
    std::error_code error;
    for (std::filesystem::directory_iterator entry(pattern.parent_path(), error), end; !error && entry != end;
         entry.increment(error)) {
        if (!isTemporaryOf(entry->path().filename().string(), prefix)) continue;
        const int fd = ::open(entry->path().c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) continue;
        struct stat held {};
        struct stat named {};
        // Only a regular file nobody holds, still the one under that name, goes.
        if (::fstat(fd, &held) == 0 && S_ISREG(held.st_mode) && held.st_mtime + kStaleAfterSeconds < std::time(nullptr) &&
            ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::lstat(entry->path().c_str(), &named) == 0 &&
            named.st_ino == held.st_ino && named.st_dev == held.st_dev) {
            ::unlink(entry->path().c_str());
        }
        ::close(fd);
    }
}

}  // namespace shinofu::platform
