// Whole-file reads and writes that never leave a half-written target behind.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace shinofu::platform {

struct IoError {
    std::string message;  // Japanese, with the path and the system's reason
};

// Reads the whole file; on failure returns nothing and fills error.
std::optional<std::string> readFileBytes(const std::filesystem::path& path, IoError& error);

// Writes to a temporary file in the target's folder, flushes it to disk and renames it over the
// target, so the previous file survives any failure. Returns false and fills error on failure.
bool writeFileAtomically(const std::filesystem::path& path, const std::string& bytes, IoError& error);

}  // namespace shinofu::platform
