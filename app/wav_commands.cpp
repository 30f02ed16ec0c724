#include "app/wav_commands.h"

#include "platform/file_io.h"
#include "platform/ui_text.h"

namespace shinofu::app {

namespace fs = std::filesystem;

fs::path wavFileName(const fs::path& chosen) {
    return platform::lowerExtension(chosen) == ".wav" ? chosen : fs::path(chosen).replace_extension(".wav");
}

output::WavWrite makeWavFileCommand(Session& session, platform::Dialogs& dialogs, const output::RenderProgress& progress,
                                    const midi::PracticeSettings& practice) {
    const fs::path proposed = session.currentFile.empty() ? fs::path() : fs::path(session.currentFile).replace_extension(".wav");
    const auto chosen = dialogs.saveFile(ui::text("ui", "WAVファイル作成"), ui::text("ui", "WAVファイル|*.wav|"), proposed);
    if (!chosen) return output::WavWrite::Cancelled;
    platform::IoError error;
    const output::WavWrite result = output::writeWavFile(session.score, wavFileName(*chosen), error, progress, practice);
    if (result == output::WavWrite::Failed) dialogs.message(platform::MessageKind::Error, error.message);
    return result;
}

}  // namespace shinofu::app
