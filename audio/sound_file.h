// Sound read from a file (WAV, FLAC, Ogg and MP3 as Debian's libsndfile reads them), mixed to one
// channel and brought to the rate the analysis works at.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "platform/file_io.h"

namespace shinofu::audio {

struct Sound {
    int rate = 0;                // samples per second
    std::vector<float> samples;  // one channel, -1..1
};

// An hour: far past any melody a player records, and what bounds the memory a file can take.
constexpr double kMostSoundSeconds = 3600;

enum class SoundStream { Read, Failed, Stopped };

// The file's sound block by block, mono at the rate, with the share of the file read so far; take
// returns false to stop. Failed, with a message in error, when the file cannot be read as sound or
// runs longer than mostSeconds; a truncated file gives what it holds.
SoundStream streamSound(const std::filesystem::path& path, int rate, platform::IoError& error,
                        const std::function<bool(std::span<const float> block, double done)>& take,
                        double mostSeconds = kMostSoundSeconds);

// The whole file at once; nothing, with a message in error, when the file cannot be read as sound or runs longer than
// mostSeconds.
std::optional<Sound> readSound(const std::filesystem::path& path, int rate, platform::IoError& error,
                               double mostSeconds = kMostSoundSeconds);

}  // namespace shinofu::audio
