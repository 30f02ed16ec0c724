#include "app/musicxml_commands.h"

#include "app/midi_import.h"
#include "edit/measure_clip.h"
#include "musicxml/musicxml_reader.h"
#include "musicxml/musicxml_writer.h"
#include "musicxml/mxl_archive.h"
#include "platform/ui_text.h"

namespace shinofu::app {

namespace fs = std::filesystem;

ScoreImport importMusicXmlFile(const fs::path& file, Session& session) {
    ScoreImport result;
    std::error_code sizeError;
    const auto size = fs::file_size(file, sizeError);
    if (!sizeError && size > musicxml::kMostDocumentBytes) {
        result.error = ui::text("ui", "MusicXMLファイルが大きすぎます：") + file.string();
        return result;
    }
    platform::IoError error;
    std::optional<std::string> bytes = platform::readFileBytes(file, error);
    if (!bytes) {
        result.error = error.message;
        return result;
    }
    if (musicxml::looksLikeZip(*bytes)) {
        musicxml::MxlUnpacked unpacked = musicxml::unpackMxl(*bytes);
        if (!unpacked.document) {
            result.error = ui::withDetail(unpacked.error, file.string());
            return result;
        }
        bytes = std::move(unpacked.document);
    }
    // The clip takes its own records before the import may release the score's; a refused
    // document leaves the score as it was.
    edit::detachClip(session.edit.clip, session.score.measureLen());
    const musicxml::MusicXmlRead outcome = musicxml::importMusicXml(*bytes, session.score);
    if (!outcome.read) {
        result.error = ui::withDetail(outcome.error, file.string());  // named as the score files' messages name theirs
        return result;
    }
    settleImportedScore(session, outcome.fluteKey);
    result.notices = outcome.notices;
    result.imported = true;
    return result;
}

ScoreImport importMusicXmlCommand(Session& session, platform::Dialogs& dialogs) {
    const auto chosen = dialogs.openFile(ui::text("ui", "MusicXML読み込み"), "MusicXML|*.musicxml;*.xml;*.mxl|", {});
    if (!chosen) return {};
    ScoreImport result = importMusicXmlFile(*chosen, session);
    if (!result.imported) dialogs.message(platform::MessageKind::Error, result.error);
    return result;
}

bool writeMusicXmlFile(const fs::path& file, Session& session, platform::IoError& error) {
    return platform::writeFileAtomically(file, musicxml::musicXmlOf(session.score), error);
}

bool exportMusicXmlCommand(Session& session, platform::Dialogs& dialogs) {
    const fs::path proposed = session.currentFile.empty() ? fs::path() : fs::path(session.currentFile).replace_extension(".musicxml");
    const auto chosen = dialogs.saveFile(ui::text("ui", "MusicXML保存"), "MusicXML|*.musicxml|", proposed);
    if (!chosen) return false;
    platform::IoError error;
    if (writeMusicXmlFile(fs::path(*chosen).replace_extension(".musicxml"), session, error)) return true;
    dialogs.message(platform::MessageKind::Error, error.message);
    return false;
}

}  // namespace shinofu::app
