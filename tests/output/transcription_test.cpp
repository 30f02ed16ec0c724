// A melody rendered through the program's own WAV path and transcribed back: the same notes.
#include "audio/transcription.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "output/wav_file.h"
#include "support/read_notes.h"

namespace {

namespace fs = std::filesystem;
using namespace shinofu;

// The notes and rests of part 1 as "pitch length" words.
std::vector<std::string> recordsOf(const model::Score& score) {
    std::vector<std::string> words;
    for (const model::TNote* note : shinofu::testing::notesOf(score, 1)) {
        words.push_back(std::string(model::pitchName(note->pitch)) + " " + std::to_string(note->len));
    }
    return words;
}

TEST(Transcription, AMelodyRenderedAndHeardBackGivesItsNotes) {
    const fs::path folder = fs::temp_directory_path() / ("shinofu_transcribe_" + std::to_string(::getpid()));
    fs::create_directories(folder);
    model::Score played;
    // Quarters and eighths at the score's tempo, a repeated note tongued, one measure of 4/4 each line.
    shinofu::testing::readNotes(played, {"$Instrument:73"},
                       {"a1 n n 96 u,b1 n n 48 u,c2 n n 48 u,d2 n n 96 u,d2 n n 96 u",
                        "e2 n n 48 u,d2 n n 48 u,c2 n n 48 u,b1 n n 48 u,a1 n n 192 u"});
    played.recomputePositions();
    platform::IoError error;
    const fs::path wav = folder / "melody.wav";
    if (output::writeWavFile(played, wav, error) != output::WavWrite::Written) GTEST_SKIP() << error.message;
    const auto sound = audio::readSound(wav, 44100, error);
    ASSERT_TRUE(sound) << error.message;
    model::Score heard;
    audio::TranscriptionSettings settings;
    settings.tempo = played.song.tempo;
    const midi::ImportReport report = audio::transcribe(*sound, settings, heard, "melody");
    fs::remove_all(folder);
    std::vector<std::string> expected = recordsOf(played);
    std::vector<std::string> got = recordsOf(heard);
    // The recording's tail (the last note's release) may end in a rest.
    while (!got.empty() && got.back().starts_with("rest")) got.pop_back();
    EXPECT_EQ(got, expected);
    // Without the tempo it is found from the playing, and said so.
    const midi::ImportReport guessed = audio::transcribe(*sound, {}, heard, "melody");
    EXPECT_FALSE(guessed.notices.empty());
}

}  // namespace
