#include "app/midi_commands.h"

#include "midi/navigation.h"
#include "midi/smf_writer.h"
#include "platform/file_io.h"
#include "platform/ui_text.h"

namespace shinofu::app {

namespace fs = std::filesystem;

MidiWrite writeMidiFile(const fs::path& file, Session& session, const midi::BuildProgress& progress,
                        platform::IoError& error) {
    model::Score& score = session.score;
    midi::placeNavigationMarks(score);
    auto list = midi::buildPerfList(score, progress);
    if (!list) return MidiWrite::Cancelled;
    midi::linkNavigation(*list);
    midi::SmfOptions options;
    options.tempo = score.song.tempo;
    options.lyricParts = session.view.numericOverlay;
    if (!platform::writeFileAtomically(file, midi::smfBytes(score, *list, options), error)) return MidiWrite::Failed;
    return MidiWrite::Written;
}

fs::path midiFileName(const fs::path& chosen) {
    const std::string extension = platform::lowerExtension(chosen);
    // The name as typed when it already ends in ".mid", whatever its case.
    return extension == ".mid" ? chosen : fs::path(chosen).replace_extension(".MID");
}

MidiWrite makeMidiFileCommand(Session& session, platform::Dialogs& dialogs, const midi::BuildProgress& progress) {
    fs::path proposed = session.currentFile.empty() ? fs::path() : fs::path(session.currentFile).replace_extension(".MID");
    auto chosen = dialogs.saveFile(ui::text("ui", "MIDIファイル作成"), ui::text("ui", "MIDIファイル|*.MID|"), proposed);
    if (!chosen) return MidiWrite::Cancelled;
    platform::IoError error;
    MidiWrite result = writeMidiFile(midiFileName(*chosen), session, progress, error);
    if (result == MidiWrite::Failed) dialogs.message(platform::MessageKind::Error, error.message);
    return result;
}

}  // namespace shinofu::app
