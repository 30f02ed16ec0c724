// The MIDI-file command: a fresh performance build written as a Standard MIDI File.
#pragma once

#include <filesystem>

#include "app/session.h"
#include "midi/perf_builder.h"
#include "platform/dialogs.h"
#include "platform/file_io.h"

namespace shinofu::app {

enum class MidiWrite { Written, Cancelled, Failed };

// Builds the event list anew and writes the file in one go; an existing file survives a failure.
MidiWrite writeMidiFile(const std::filesystem::path& file, Session& session, const midi::BuildProgress& progress,
                        platform::IoError& error);

// "MIDIファイル作成&M": the save dialog proposes the score's name with ".MID", which the file always gets.
MidiWrite makeMidiFileCommand(Session& session, platform::Dialogs& dialogs, const midi::BuildProgress& progress);

}  // namespace shinofu::app
