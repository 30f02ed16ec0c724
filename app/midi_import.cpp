#include "app/midi_import.h"

#include "edit/measure_clip.h"
#include "midi/smf_import.h"
#include "midi/smf_reader.h"
#include "platform/file_io.h"
#include "platform/ui_text.h"

namespace shinofu::app {

ScoreImport importMidiFile(const std::filesystem::path& file, Session& session, const midi::ImportProgress& progress) {
    ScoreImport result;
    platform::IoError error;
    const std::optional<std::string> bytes = platform::readFileBytes(file, error);
    if (!bytes) {
        result.error = error.message;
        return result;
    }
    const midi::SmfRead read = midi::readSmf(*bytes);
    if (!read.file) {
        result.error = ui::withDetail(read.error, file.string());  // named as the score files' messages name theirs
        return result;
    }
    edit::detachClip(session.edit.clip, session.score.measureLen());
    midi::ImportReport report = midi::importSmf(*read.file, session.score, file.stem().string(), progress);
    if (report.refusal) *report.refusal = ui::withDetail(*report.refusal, file.string());  // named as the score files' messages name theirs
    return finishSmfImport(report, session);
}

ScoreImport importMidiCommand(Session& session, platform::Dialogs& dialogs, const midi::ImportProgress& progress) {
    const auto chosen = dialogs.openFile(ui::text("ui", "MIDIファイル読み込み"), "MIDI Files|*.mid|", {});
    if (!chosen) return {};
    ScoreImport result = importMidiFile(*chosen, session, progress);
    if (!result.imported && !result.cancelled) dialogs.message(platform::MessageKind::Error, result.error);
    return result;
}

}  // namespace shinofu::app
