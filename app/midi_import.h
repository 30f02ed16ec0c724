// "MIDIファイル読み込み": a MIDI file replaces the score only when it could be read; its measures
// are beamed and the flute chosen as for any score.
#pragma once

#include <filesystem>

#include "app/score_import.h"
#include "app/session.h"
#include "midi/smf_import.h"
#include "platform/dialogs.h"

namespace shinofu::app {

ScoreImport importMidiFile(const std::filesystem::path& file, Session& session, const midi::ImportProgress& progress = {});

// The menu command: the open dialog, then the import with its progress; a failure is shown and the score stays.
ScoreImport importMidiCommand(Session& session, platform::Dialogs& dialogs, const midi::ImportProgress& progress);

}  // namespace shinofu::app
