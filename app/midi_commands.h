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

// The file a chosen name writes: as typed when it ends in ".mid" in any case, else with ".MID".
std::filesystem::path midiFileName(const std::filesystem::path& chosen);

// "MIDIファイル作成&M": the save dialog proposes the score's name with ".MID".
MidiWrite makeMidiFileCommand(Session& session, platform::Dialogs& dialogs, const midi::BuildProgress& progress);

}  // namespace shinofu::app
