// Undo and redo through score files beside the companion files: three snapshots before the last
// measure edits ("_1.tpu" newest .. "_3.tpu"), the restored ones kept for recycling ("_A".."_C"),
// and the score as it was before the last undo (".tpr").
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "model/score.h"
#include "model/score_reader.h"

namespace shinofu::edit {

class UndoFiles {
public:
    // stem: the companion folder and the program's name, e.g. ~/.config/shinofu/shinofu.
    explicit UndoFiles(std::filesystem::path stem) : stem_(std::move(stem)) {}

    // Saves the score as the newest snapshot. Returns the memo lines of renames that could not
    // happen and of a snapshot that could not be written (the edit goes ahead all the same).
    std::vector<std::string> snapshot(const model::Score& score) const;

    enum class Result { Nothing, Restored, Failed };
    struct Outcome {
        Result result = Result::Nothing;
        std::string message;             // for the user when the score could not be restored
        std::vector<std::string> memo;   // renames that did not happen
    };
    // Restores the newest snapshot; a missing or unreadable one leaves the score as it is.
    Outcome undo(model::Score& score, const model::ReadOptions& options) const;
    // Restores the score as it was before the last undo.
    Outcome redo(model::Score& score, const model::ReadOptions& options) const;

    std::filesystem::path file(const char* suffix) const;

private:
    std::filesystem::path stem_;
};

}  // namespace shinofu::edit
