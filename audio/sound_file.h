// Sound read from a file (WAV, FLAC, Ogg and MP3 as Debian's libsndfile reads them), mixed to one
// channel and brought to the rate the analysis works at.
#pragma once

#include <filesystem>
#include <optional>
#include <vector>

#include "platform/file_io.h"

namespace shinofu::audio {

struct Sound {
    int rate = 0;                // samples per second
    std::vector<float> samples;  // one channel, -1..1
};

// An hour: far past any melody a player records, and what bounds the memory a file can take.
constexpr double kMostSoundSeconds = 3600;

// Nothing, with a message in error, when the file cannot be read as sound or runs longer than
// mostSeconds.
std::optional<Sound> readSound(const std::filesystem::path& path, int rate, platform::IoError& error,
                               double mostSeconds = kMostSoundSeconds);

}  // namespace shinofu::audio
