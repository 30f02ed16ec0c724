// Temporary files of unfinished writes: removed when the process is told to stop, swept when a
// killed process left them behind.
#pragma once

#include <filesystem>

namespace shinofu::platform {

// Arms removal of path on SIGTERM, SIGINT, SIGHUP and SIGQUIT for as long as it lives. A write
// past the file-size limit fails with EFBIG instead of killing the process (SIGXFSZ is caught),
// so the writer removes its temporary and says why.
class TemporaryGuard {
public:
    explicit TemporaryGuard(const std::filesystem::path& path);
    ~TemporaryGuard();
    TemporaryGuard(const TemporaryGuard&) = delete;
    TemporaryGuard& operator=(const TemporaryGuard&) = delete;

private:
    int slot_ = -1;  // -1 when every slot is taken: the sweep of the next write then removes it
};

// The name pattern of the temporaries written for target: ".NAME.XXXXXX" beside it.
std::filesystem::path temporaryPatternFor(const std::filesystem::path& target);

// Removes temporaries of target's pattern that no live writer holds (each writer keeps an
// exclusive lock on its own) and that are older than a few seconds.
void sweepStaleTemporaries(const std::filesystem::path& target);

}  // namespace shinofu::platform
