// The performance rendered to a WAV file by the built-in synthesizer, faster than real time: the
// same engine and navigation as live playback, on a clock that the rendering moves.
#pragma once

#include <filesystem>
#include <functional>

#include "midi/practice.h"
#include "model/score.h"
#include "platform/file_io.h"

namespace shinofu::output {

enum class WavWrite { Written, Cancelled, Failed };

// Called now and then with the share of the performance rendered; returning false cancels.
using RenderProgress = std::function<bool(double done)>;

// 16-bit stereo PCM at 44.1 kHz, written to a temporary file beside the target and renamed over it:
// a failure or a cancel leaves an existing file as it was. The practice's count-in and click are
// heard in it; a loop is not (the file plays the piece once).
WavWrite writeWavFile(model::Score& score, const std::filesystem::path& path, platform::IoError& error,
                      const RenderProgress& progress = {}, const midi::PracticeSettings& practice = {});

}  // namespace shinofu::output
