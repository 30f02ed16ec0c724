#include "app/recording_import.h"

#include "edit/measure_clip.h"
#include "platform/file_io.h"

namespace shinofu::app {

bool isRecordingFile(const std::filesystem::path& file) {
    const std::string ext = platform::lowerExtension(file);
    return ext == ".wav" || ext == ".flac" || ext == ".ogg" || ext == ".mp3";
}

ScoreImport importRecordingFile(const std::filesystem::path& file, Session& session, const RecordingChoices& choices,
                                const midi::ImportProgress& progress) {
    edit::detachClip(session.edit.clip, session.score.measureLen());
    const midi::ImportReport report =
        audio::transcribeFile(file, choices.transcription, session.score, file.stem().string(), progress);
    return finishSmfImport(report, session, choices.flute);  // a sound file's messages name it already
}

}  // namespace shinofu::app
