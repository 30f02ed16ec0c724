// Score files on disk: CP932 bytes with CR LF, read whole and written atomically.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "model/score_reader.h"
#include "platform/file_io.h"

namespace shinofu::model {

// On an I/O error the score is left as it was.
std::optional<ReadReport> loadScoreFile(const std::filesystem::path& path, Score& score, const ReadOptions& options,
                                        platform::IoError& error);

struct SaveResult {
    bool written = false;
    platform::IoError error;
    std::vector<std::string> unmapped;  // characters CP932 cannot hold, written as "?"
};

// Writes the score; on success it counts as saved. A failure leaves the old file and the flag alone.
SaveResult saveScoreFile(const std::filesystem::path& path, Score& score);

// The name a score is saved under: the chosen name with its extension replaced by ".gd4".
std::filesystem::path scoreFileName(std::filesystem::path chosen);

}  // namespace shinofu::model
