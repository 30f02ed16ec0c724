// The performance rendered to a WAV file by the built-in synthesizer, faster than real time: the
// same engine and navigation as live playback, on a clock that the rendering moves.
#pragma once

#include <filesystem>

#include "model/score.h"
#include "platform/file_io.h"

namespace shinofu::output {

// 16-bit stereo PCM at 44.1 kHz, written to a temporary file beside the target and renamed over it.
bool writeWavFile(model::Score& score, const std::filesystem::path& path, platform::IoError& error);

}  // namespace shinofu::output
