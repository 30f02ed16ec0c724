#include "edit/undo_files.h"

#include "model/score_file.h"
#include "model/score_writer.h"
#include "platform/file_io.h"
#include "platform/text_codec.h"
#include "platform/ui_text.h"

namespace shinofu::edit {
namespace {

namespace fs = std::filesystem;

// Renames only onto a free name; otherwise nothing moves and the memo says which names were in the way.
void renameIfFree(const fs::path& from, const fs::path& to, std::vector<std::string>& memo) {
    std::error_code error;
    if (fs::exists(from, error) && !fs::exists(to, error)) {
        fs::rename(from, to, error);
        if (!error) return;
    }
    memo.push_back("Error: " + from.string() + " or " + to.string() + " exist");
}

bool writeScore(const fs::path& path, const model::Score& score, platform::IoError& error) {
    return platform::writeFileAtomically(path, platform::encodeLines(model::scoreFileLines(score)).bytes, error);
}

// Reads a whole file into the score, or leaves the score alone: the file is tried on a scratch score first.
bool restore(const fs::path& path, model::Score& score, const model::ReadOptions& options, std::string& message) {
    platform::IoError error;
    model::Score trial;
    if (!model::loadScoreFile(path, trial, options, error) || !model::loadScoreFile(path, score, options, error)) {
        message = ui::text("ui", "元に戻せません：") + error.message;
        return false;
    }
    return true;
}

}  // namespace

fs::path UndoFiles::file(const char* suffix) const { return fs::path(stem_.string() + suffix); }

std::vector<std::string> UndoFiles::snapshot(const model::Score& score) const {
    std::vector<std::string> memo;
    std::error_code error;
    fs::path recycled = file("_3.tpu");
    for (const char* suffix : {"_C.tpu", "_B.tpu", "_A.tpu"}) {
        if (fs::exists(file(suffix), error)) {
            recycled = file(suffix);
            break;
        }
    }
    renameIfFree(recycled, file("_0.tpu"), memo);
    fs::create_directories(stem_.parent_path(), error);
    platform::IoError writeError;
    if (!writeScore(file("_0.tpu"), score, writeError)) {
        memo.push_back(ui::text("ui", "元に戻すための保存ができません：") + writeError.message);
    }
    renameIfFree(file("_2.tpu"), file("_3.tpu"), memo);
    renameIfFree(file("_1.tpu"), file("_2.tpu"), memo);
    renameIfFree(file("_0.tpu"), file("_1.tpu"), memo);
    return memo;
}

UndoFiles::Outcome UndoFiles::undo(model::Score& score, const model::ReadOptions& options) const {
    Outcome outcome;
    std::error_code error;
    if (!fs::exists(file("_1.tpu"), error)) return outcome;
    platform::IoError writeError;
    if (!writeScore(file(".tpr"), score, writeError)) outcome.memo.push_back(ui::text("ui", "やり直しのための保存ができません：") + writeError.message);
    if (!restore(file("_1.tpu"), score, options, outcome.message)) {
        outcome.result = Result::Failed;
        return outcome;
    }
    score.curPart = 1;
    score.writePerfData = false;
    score.saved = false;
    renameIfFree(file("_B.tpu"), file("_C.tpu"), outcome.memo);
    renameIfFree(file("_A.tpu"), file("_B.tpu"), outcome.memo);
    renameIfFree(file("_1.tpu"), file("_A.tpu"), outcome.memo);
    renameIfFree(file("_2.tpu"), file("_1.tpu"), outcome.memo);
    renameIfFree(file("_3.tpu"), file("_2.tpu"), outcome.memo);
    outcome.result = Result::Restored;
    return outcome;
}

UndoFiles::Outcome UndoFiles::redo(model::Score& score, const model::ReadOptions& options) const {
    Outcome outcome;
    std::error_code error;
    if (!fs::exists(file(".tpr"), error)) return outcome;
    if (!restore(file(".tpr"), score, options, outcome.message)) {
        outcome.result = Result::Failed;
        return outcome;
    }
    score.saved = false;
    outcome.result = Result::Restored;
    return outcome;
}

}  // namespace shinofu::edit
