// A recording made into a score: the pitch track heard as notes, the beat found (or given), the
// notes put on the meter's sixteenth grid, the key estimated from them, and the result read like a
// MIDI file, so the note values, spelling, beaming and flute choice are those every import gets.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "audio/heard_notes.h"
#include "audio/sound_file.h"
#include "midi/smf_import.h"
#include "model/score.h"

namespace shinofu::audio {

struct TranscriptionSettings {
    double tempo = 0;  // quarter notes a minute; 0: found from the playing
    int meterTop = 4;
    int meterBottom = 4;
    double reference = 440.0;  // Hz of A4
    int pickup = 0;            // beats of the meter before the first downbeat (a pickup), 0..meterTop-1
};

// The tempo whose eighth-note grid, starting at the first note, the onsets fit best (60..160).
double findTempo(const std::vector<HeardNote>& notes);
// The key signature (sharps > 0, flats < 0) whose major scale holds most of the notes' time.
int findKeySignature(const std::vector<HeardNote>& notes);
// The notes as a Standard MIDI File on the grid of sixteenths at the tempo, the first note on a
// downbeat, or as many beats before one as the pickup says.
midi::SmfFile notesToSmf(const std::vector<HeardNote>& notes, double tempo, const TranscriptionSettings& settings);

// How sound is analysed: in windows of 23 ms (two periods of 86 Hz, a low voice) every 5.8 ms.
constexpr int kAnalysisRate = 44100;
constexpr int kAnalysisWindow = 1024;
constexpr int kAnalysisHop = 256;

// A recording's notes, and the pitch of A it was heard at.
struct HeardRecording {
    std::vector<HeardNote> notes;
    double reference = 440.0;
};

// The notes a sound file plays, heard as it streams in (an hour's recording never held whole), at
// the reference pitch, or at the pitch the playing keeps to where that lies more than 15 cents away
// (a flute not tuned to the reference); nothing, with the reason in error, when the file is not
// sound or the progress stopped the reading.
std::optional<HeardRecording> hearFile(const std::filesystem::path& path, double reference, std::string& error,
                                       const midi::ImportProgress& progress = {});

// Replaces the score with what the recording plays, unless it cannot be read (the report's refusal)
// or the progress cancels; the report's notices say what was uncertain.
midi::ImportReport transcribeFile(const std::filesystem::path& path, const TranscriptionSettings& settings,
                                  model::Score& score, const std::string& title, const midi::ImportProgress& progress = {});

}  // namespace shinofu::audio
