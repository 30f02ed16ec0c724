// "録音から採譜": a recording heard and written as a score, ready to correct. The score is replaced
// only when the recording could be heard; a cancel leaves it as it was.
#pragma once

#include <filesystem>
#include <optional>

#include "app/score_import.h"
#include "app/session.h"
#include "audio/transcription.h"

namespace shinofu::app {

struct RecordingChoices {
    audio::TranscriptionSettings transcription;
    std::optional<int> flute;  // 1..12; without it, the flute for the key
};

// The sound files the recording import reads.
bool isRecordingFile(const std::filesystem::path& file);

ScoreImport importRecordingFile(const std::filesystem::path& file, Session& session, const RecordingChoices& choices,
                                const midi::ImportProgress& progress = {});

}  // namespace shinofu::app
