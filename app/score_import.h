// What an import of another format (MIDI, MusicXML) tells the window, and the settling every
// import ends with once it has replaced the score.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/session.h"
#include "midi/smf_import.h"

namespace shinofu::app {

struct ScoreImport {
    bool imported = false;
    std::string error;                 // why not, in Japanese
    std::vector<std::string> notices;  // what the file held that the score cannot show
    bool cancelled = false;
};

// Old places forgotten, the flute the file names or one chosen for the key, an untitled unchanged score.
void settleImportedScore(Session& session, std::optional<int> fluteKey = std::nullopt);

// What a MIDI-built import (a MIDI file, a recording) ends as: its refusal as the error, or the
// parts beamed and the score settled.
ScoreImport finishSmfImport(const midi::ImportReport& report, Session& session, std::optional<int> fluteKey = std::nullopt);

}  // namespace shinofu::app
