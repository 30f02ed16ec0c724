#include "app/file_commands.h"

#include "edit/measure_clip.h"
#include "model/excess_notes.h"
#include "model/score_file.h"
#include "model/score_settings.h"
#include "numeric/fingering_grid.h"
#include "platform/file_io.h"
#include "platform/paths.h"
#include "platform/text_codec.h"
#include "platform/ui_text.h"

namespace shinofu::app {
namespace {

namespace fs = std::filesystem;
using platform::MessageKind;

struct OpenDialog {
    std::string title;
    std::string filter;
    bool formatFlag;
};

OpenDialog openDialogFor(OpenKind kind) {
    switch (kind) {
    case OpenKind::OldFormat: return {ui::text("ui", "旧ファイル読込"), ui::text("ui", "Ver1,Ver2五線譜面Files|*.gd2|Any Files|*.*|"), false};
    case OpenKind::WithPerformanceData:
        return {ui::text("ui", "演奏データ付五線譜面読込"), ui::text("ui", "演奏データ五線譜面|*.gd3|五線譜面Files|*.gd2|Any Files|*.*|"), false};
    default: return {ui::text("ui", "ファイル読込"), ui::text("ui", "Ver3五線譜面Files|*.gd4|Any Files|*.*|"), true};
    }
}

bool readScoreFile(Session& session, platform::Dialogs& dialogs, const fs::path& file, bool formatFlag) {
    // The clip keeps its measures through the replacement of the records it points into.
    edit::detachClip(session.edit.clip, session.score.measureLen());
    platform::IoError error;
    if (!model::loadScoreFile(file, session.score, session.readOptions(formatFlag), error)) {
        dialogs.message(MessageKind::Error, error.message);
        return false;
    }
    session.forgetPlacesInScore();
    session.view.curPage = 1;
    session.score.saved = true;
    session.edit.editMode = 0;
    session.scoreFile = file;
    session.startHistory();
    return true;
}

void reportUnmapped(platform::Dialogs& dialogs, const std::vector<std::string>& unmapped) {
    if (unmapped.empty()) return;
    std::string text = ui::text("ui", "次の文字は Shift-JIS で書けないため「?」として保存しました：");
    for (const std::string& character : unmapped) text += " " + character;
    dialogs.message(MessageKind::Warning, text);
}

bool writeScoreTo(Session& session, platform::Dialogs& dialogs, const fs::path& target, bool withPerformanceData) {
    const bool previousFlag = session.score.writePerfData;
    session.score.writePerfData = withPerformanceData;
    model::SaveResult result = model::saveScoreFile(target, session.score);
    if (!result.written) {
        session.score.writePerfData = previousFlag;
        dialogs.message(MessageKind::Error, result.error.message);
        return false;
    }
    session.currentFile = session.scoreFile = target;
    session.markSaved();
    reportUnmapped(dialogs, result.unmapped);
    return true;
}

}  // namespace

bool openScoreCommand(Session& session, platform::Dialogs& dialogs, OpenKind kind) {
    OpenDialog dialog = openDialogFor(kind);
    auto chosen = dialogs.openFile(dialog.title, dialog.filter, session.currentFile);
    if (!chosen) return false;
    session.currentFile = *chosen;
    if (kind != OpenKind::WithPerformanceData) session.score.writePerfData = false;
    return readScoreFile(session, dialogs, *chosen, dialog.formatFlag);
}

bool openScoreAtStart(Session& session, platform::Dialogs& dialogs, const fs::path& file) {
    session.score.writePerfData = false;
    const bool read = readScoreFile(session, dialogs, file, session.formatFlag);
    // As it is not the dialogs' current file, a start-up file is not written over without asking.
    session.scoreFile.clear();
    return read;
}

bool saveScoreCommand(Session& session, platform::Dialogs& dialogs, bool withPerformanceData) {
    const bool excess = model::checkExcessNotes(session.score).found();
    const std::string title = excess ? ui::text("ui", "過剰音符小節があります") : ui::text("ui", "譜面データ保存");
    const std::string filter = withPerformanceData ? ui::text("ui", "演奏データ五線譜面|*.gd3|五線譜面|*.gd2|Any Files|*.*|")
                                                   : ui::text("ui", "五線譜面|*.gd4|Any Files|*.*|");
    auto chosen = dialogs.saveFile(title, filter, session.currentFile);
    if (!chosen) return false;
    return writeScoreTo(session, dialogs, model::scoreFileName(*chosen), withPerformanceData);
}

bool overwriteSaveCommand(Session& session, platform::Dialogs& dialogs) {
    const std::string ext = platform::lowerExtension(session.scoreFile);
    if (ext != ".gd4" && ext != ".gd3") return saveScoreCommand(session, dialogs, false);
    return writeScoreTo(session, dialogs, session.scoreFile, ext == ".gd3");
}

bool saveScoreSettingsCommand(Session& session, platform::Dialogs& dialogs) {
    platform::EncodeResult encoded = platform::encodeLines(model::scoreSettingsLines(session.score));
    platform::IoError error;
    std::error_code folderError;
    fs::create_directories(platform::Paths::companionFolder(), folderError);
    if (!platform::writeFileAtomically(platform::Paths::companionFile(".TMP"), encoded.bytes, error)) {
        dialogs.message(MessageKind::Error, error.message);
        return false;
    }
    session.names = model::rememberNameLayout(session.score);
    reportUnmapped(dialogs, encoded.unmapped);
    return true;
}

bool writeFingeringGrid(const fs::path& file, Session& session, int part, platform::IoError& error) {
    session.refreshDerivedState();
    platform::EncodeResult encoded = platform::encodeLines(numeric::fingeringGridLines(session.score, part));
    return platform::writeFileAtomically(file, encoded.bytes, error);
}

bool saveFingeringGridCommand(Session& session, platform::Dialogs& dialogs) {
    fs::path proposed = session.currentFile.empty() ? fs::path() : fs::path(session.currentFile).replace_extension(".dt");
    auto chosen = dialogs.saveFile(ui::text("ui", "数字符データ保存"), ui::text("ui", "数字符データ|*.dt|Any Files|*.*|"), proposed);
    if (!chosen) return false;
    fs::path target = fs::path(*chosen).replace_extension(".dt");
    platform::IoError error;
    if (!writeFingeringGrid(target, session, session.score.curPart, error)) {
        dialogs.message(MessageKind::Error, error.message);
        return false;
    }
    return true;
}

std::string windowTitleFor(const fs::path& file) {
    return file.stem().string() + ui::text("ui", "  篠笛譜面作成ソフト Ver1.0 (Shinofu 2026)");
}

}  // namespace shinofu::app
