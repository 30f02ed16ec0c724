// Whole-file reads and writes that never leave a half-written target behind.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/temporary_guard.h"

namespace shinofu::platform {

struct IoError {
    std::string message;  // Japanese, with the path and the system's reason
};

// Far above any score, MIDI file, MusicXML document or setting file a player has, far below what
// would strain the machine: what a reader is handed at most.
constexpr size_t kMostFileBytes = size_t{64} << 20;

// ".MID" → ".mid": a name's extension as the format choices compare it.
std::string lowerExtension(const std::filesystem::path& path);

// Reads the whole file, up to kMostFileBytes (a larger file, or an endless device, is refused);
// on failure returns nothing and fills error.
std::optional<std::string> readFileBytes(const std::filesystem::path& path, IoError& error);

// A file written under a unique temporary name in the target's folder and renamed over the target
// by commit(), so the previous file survives any failure; without a commit, or when the commit
// fails, the temporary is removed, as it is when the process is told to stop. Temporaries that a
// killed writer of the same target left behind are swept first.
class AtomicFile {
public:
    explicit AtomicFile(std::filesystem::path target);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    bool append(std::string_view bytes);
    bool overwrite(uint64_t offset, std::string_view bytes);  // a header written once the size is known
    // Flushes to disk and renames over the target; false with the cause in error otherwise.
    bool commit(IoError& error);

private:
    bool writeAt(const char* data, size_t size, std::optional<uint64_t> offset);

    std::filesystem::path target_;
    std::string temporary_;
    std::unique_ptr<TemporaryGuard> guard_;
    int fd_ = -1;
    int failure_ = 0;
    bool created_ = false;
    bool committed_ = false;
};

// Writes to a temporary file in the target's folder, flushes it to disk and renames it over the
// target, so the previous file survives any failure. Returns false and fills error on failure.
bool writeFileAtomically(const std::filesystem::path& path, const std::string& bytes, IoError& error);

}  // namespace shinofu::platform
