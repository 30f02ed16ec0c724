// "MIDIファイル読み込み": a MIDI file replaces the score only when it could be read; its measures
// are beamed and the flute chosen as for any score.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "app/session.h"
#include "platform/dialogs.h"

namespace shinofu::app {

struct MidiImport {
    bool imported = false;
    std::string error;                 // why not, in Japanese
    std::vector<std::string> notices;  // what the file held that the score cannot say
};

MidiImport importMidiFile(const std::filesystem::path& file, Session& session);

// The menu command: the open dialog, then the import; a failure is shown and the score stays.
MidiImport importMidiCommand(Session& session, platform::Dialogs& dialogs);

}  // namespace shinofu::app
