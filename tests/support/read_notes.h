// Scores for tests, read from header lines and note lines in the score file's own syntax.
#pragma once

#include <string>
#include <vector>

#include "model/score.h"
#include "model/score_reader.h"

namespace shinofu::testing {

inline void readNotes(model::Score& score, const std::vector<std::string>& header, const std::vector<std::string>& notes) {
    std::vector<std::string> lines = {"$V:3"};
    lines.insert(lines.end(), header.begin(), header.end());
    lines.push_back("$END");
    lines.insert(lines.end(), notes.begin(), notes.end());
    model::readScore(lines, score, model::ReadOptions{});
}

inline std::vector<const model::TNote*> notesOf(const model::Score& score, int part) {
    std::vector<const model::TNote*> notes;
    model::forEachNote(static_cast<const model::TNote*>(score.part(part).partHead),
                       [&](const model::TNote& note) { notes.push_back(&note); });
    return notes;
}

}  // namespace shinofu::testing
