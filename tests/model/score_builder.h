// Helpers that build scores for tests from the public model interface.
#pragma once

#include <string>
#include <vector>

#include "model/key_signature.h"
#include "model/score.h"
#include "model/score_reader.h"
#include "model/score_writer.h"
#include "platform/text_codec.h"

namespace shinofu::testing {

inline model::TNote& addNote(model::Score& score, int part, uint8_t pitch, int len) {
    model::TNote* note = score.appendNote(part);
    note->pitch = pitch;
    note->len = len;
    note->playTime = model::playTimeFor(len, score.song.msPerUnit);
    if (model::isStaffPitch(pitch)) note->semitone = model::semitoneOfPitch(pitch, score.song.keySig);
    return *note;
}

inline std::vector<const model::TNote*> notesOf(const model::Score& score, int part) {
    std::vector<const model::TNote*> notes;
    model::forEachNote(static_cast<const model::TNote*>(score.part(part).partHead),
                       [&](const model::TNote& note) { notes.push_back(&note); });
    return notes;
}

// Reads score file lines as the current format.
inline model::ReadReport readLines(model::Score& score, const std::vector<std::string>& lines, bool formatFlag = true) {
    model::ReadOptions options;
    options.formatFlag = formatFlag;
    return model::readScore(lines, score, options);
}

// A file made of a header and note lines, with the three empty sections after them.
inline std::vector<std::string> fileWithNotes(std::vector<std::string> header, const std::vector<std::string>& notes) {
    header.push_back("$END");
    header.insert(header.end(), notes.begin(), notes.end());
    for (const char* line : {"$END", "$NEND", "$STARTM", "$END", "$STARTS", "$END", "$STARTL", "", "$END"}) {
        header.push_back(line);
    }
    return header;
}

}  // namespace shinofu::testing
