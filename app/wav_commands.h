// "WAVファイル作成": the performance rendered by the built-in synthesizer into a WAV file.
#pragma once

#include <filesystem>

#include "app/session.h"
#include "output/wav_file.h"
#include "platform/dialogs.h"

namespace shinofu::app {

// The file a chosen name writes: as typed when it ends in ".wav" in any case, else with ".wav".
std::filesystem::path wavFileName(const std::filesystem::path& chosen);

// The save dialog proposes the score's name with ".wav"; a long render reports its progress and
// can be cancelled, leaving an existing file as it was. The practice's count-in and click sound in it.
output::WavWrite makeWavFileCommand(Session& session, platform::Dialogs& dialogs, const output::RenderProgress& progress,
                                    const midi::PracticeSettings& practice = {});

}  // namespace shinofu::app
