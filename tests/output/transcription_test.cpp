// A melody rendered through the program's own WAV path and transcribed back: the same notes.
#include "audio/transcription.h"

#include <gtest/gtest.h>
#include <sndfile.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>

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

// The notes up to the last one: a recording's tail (the last note's release) may end in a rest.
std::vector<std::string> upToTheLastNote(std::vector<std::string> words) {
    while (!words.empty() && words.back().starts_with("rest")) words.pop_back();
    return words;
}

// The flute playing the lines of notes, rendered through the program's WAV path (its folder made);
// false, with the reason in error, when it cannot be.
bool renderFlute(model::Score& played, const std::vector<std::string>& lines, const fs::path& wav, platform::IoError& error) {
    fs::create_directories(wav.parent_path());
    shinofu::testing::readNotes(played, {"$Instrument:73"}, lines);
    played.recomputePositions();
    return output::writeWavFile(played, wav, error) == output::WavWrite::Written;
}

// The ticks of the file's events of one kind (0x90 note-on, 0x80 note-off).
std::vector<int64_t> ticksOf(const midi::SmfFile& file, uint8_t status) {
    std::vector<int64_t> ticks;
    for (const midi::SmfEvent& event : file.events) {
        if (event.status == status) ticks.push_back(event.tick);
    }
    return ticks;
}

TEST(Transcription, AMelodyRenderedAndHeardBackGivesItsNotes) {
    const fs::path folder = fs::temp_directory_path() / ("shinofu_transcribe_" + std::to_string(::getpid()));
    const fs::path wav = folder / "melody.wav";
    model::Score played;
    platform::IoError error;
    // Quarters and eighths at the score's tempo, a repeated note tongued, one measure of 4/4 each line.
    if (!renderFlute(played,
                     {"a1 n n 96 u,b1 n n 48 u,c2 n n 48 u,d2 n n 96 u,d2 n n 96 u",
                      "e2 n n 48 u,d2 n n 48 u,c2 n n 48 u,b1 n n 48 u,a1 n n 192 u"},
                     wav, error)) {
        GTEST_SKIP() << error.message;
    }
    model::Score heard;
    audio::TranscriptionSettings settings;
    settings.tempo = played.song.tempo;
    const midi::ImportReport report = audio::transcribeFile(wav, settings, heard, "melody");
    ASSERT_FALSE(report.refusal) << *report.refusal;
    EXPECT_EQ(upToTheLastNote(recordsOf(heard)), recordsOf(played));
    // Without the tempo it is found from the playing, and said so.
    const midi::ImportReport guessed = audio::transcribeFile(wav, {}, heard, "melody");
    EXPECT_FALSE(guessed.notices.empty());
    // Cancelled while hearing, the score stays as it was.
    const std::vector<std::string> before = recordsOf(heard);
    EXPECT_TRUE(audio::transcribeFile(wav, settings, heard, "again", [](double) { return false; }).cancelled);
    EXPECT_EQ(recordsOf(heard), before);
    fs::remove_all(folder);
}

// A note's release dies away into the rest after it: the rest stays a rest.
TEST(Transcription, ReleasesIntoRestsAreNoNotes) {
    const fs::path folder = fs::temp_directory_path() / ("shinofu_releases_" + std::to_string(::getpid()));
    const fs::path wav = folder / "releases.wav";
    model::Score played;
    platform::IoError error;
    if (!renderFlute(played,
                     {"d3 n n 96 u,rest n n 96 u,b2 n n 48 u,rest n n 144 u",
                      "a3 n n 192 u,rest n n 96 u,a2 n n 48 u,rest n n 48 u",
                      "f3 n n 48 u,rest n n 48 u,g3 n n 96 u,rest n n 192 u"},
                     wav, error)) {
        GTEST_SKIP() << error.message;
    }
    model::Score heard;
    audio::TranscriptionSettings settings;
    settings.tempo = played.song.tempo;
    audio::transcribeFile(wav, settings, heard, "releases");
    EXPECT_EQ(upToTheLastNote(recordsOf(heard)), upToTheLastNote(recordsOf(played)));
    fs::remove_all(folder);
}

TEST(Transcription, APickupPutsTheFirstNotesBeforeTheFirstDownbeat) {
    // 3/4 at 120: a quarter's lead-in, then a half and a quarter, then a dotted half.
    const std::vector<audio::HeardNote> notes = {{0.0, 0.48, 67, 0}, {0.5, 1.48, 72, 0}, {1.5, 1.98, 76, 0}, {2.0, 3.5, 74, 0}};
    audio::TranscriptionSettings settings;
    settings.meterTop = 3;
    for (const int pickup : {0, 1, 2}) {
        settings.pickup = pickup;
        const std::vector<int64_t> ons = ticksOf(audio::notesToSmf(notes, 120, settings), 0x90);
        // A quarter is 480 ticks, a measure 1440: the pickup's beats end on the second measure's downbeat.
        ASSERT_EQ(ons.size(), 4u);
        EXPECT_EQ(ons[0] + pickup * 480, pickup > 0 ? 1440 : 0) << pickup;
    }
    settings.pickup = 1;  // the melody's own: its half note on the downbeat
    EXPECT_EQ(ticksOf(audio::notesToSmf(notes, 120, settings), 0x90), (std::vector<int64_t>{960, 1440, 2400, 2880}));
}

// A note a player stops short of its written end before a rest (a breath) keeps its full value; one
// ringing barely past its end keeps its value too.
TEST(Transcription, NotesStoppedShortOfARestKeepTheirValue) {
    const std::vector<audio::HeardNote> notes = {{0.0, 0.42, 69, 0}, {1.0, 1.52, 71, 0}, {2.0, 2.92, 72, 0}};
    EXPECT_EQ(ticksOf(audio::notesToSmf(notes, 120, {}), 0x80), (std::vector<int64_t>{480, 1440, 2880}));
}

// A beat is of triplets when its notes fall on its thirds, not when one sixteenth comes a little late.
TEST(Transcription, TripletsFromThirdsNotFromALateSixteenth) {
    const std::vector<audio::HeardNote> notes = {{0.0, 0.15, 69, 0}, {0.16, 0.5, 71, 0}, {1.0, 1.16, 72, 0},
                                                 {1.17, 1.33, 74, 0}, {1.335, 1.5, 76, 0}, {2.0, 2.5, 77, 0}};
    EXPECT_EQ(ticksOf(audio::notesToSmf(notes, 120, {}), 0x90), (std::vector<int64_t>{0, 120, 960, 1120, 1280, 1920}));
}

// The tempo of a melody running mostly in sixteenths, played a little unevenly.
TEST(Transcription, TheTempoOfAMelodyOfSixteenths) {
    const double sixteenth = 15.0 / 96;
    const int pattern[] = {1, 1, 1, 1, 2, 1, 1, 4, 1, 1, 2, 1, 1, 1, 1, 3, 1, 4};  // note values in sixteenths
    std::vector<audio::HeardNote> notes;
    double at = 0;
    for (int bar = 0; bar < 8; ++bar) {
        for (const int value : pattern) {
            const double jitter = 0.012 * std::sin(double(notes.size()) * 2.3);
            notes.push_back({at + jitter, at + value * sixteenth - 0.02, 69 + int(notes.size() % 5), 0});
            at += value * sixteenth;
        }
    }
    EXPECT_NEAR(audio::findTempo(notes), 96, 2);
}

// A mono file of the samples the function gives, at the rate and format.
void writeSound(const fs::path& path, int rate, int format, double seconds, const std::function<float(double)>& sample) {
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = 1;
    info.format = format;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
    std::vector<float> samples(static_cast<size_t>(seconds * rate));
    for (size_t i = 0; i < samples.size(); ++i) samples[i] = sample(static_cast<double>(i) / rate);
    sf_writef_float(file, samples.data(), static_cast<sf_count_t>(samples.size()));
    sf_close(file);
}

// Under noise 20 dB below the playing, the quiet start of a flute's attack is lost: a note starts
// where its sound began to swell, not where its pitch showed through the noise.
TEST(Transcription, NotesInNoiseStartWhereTheirSoundSwells) {
    const fs::path folder = fs::temp_directory_path() / ("shinofu_noisy_" + std::to_string(::getpid()));
    const fs::path clean = folder / "clean.wav", noisy = folder / "noisy.wav";
    model::Score played;
    platform::IoError error;
    if (!renderFlute(played, {"f2 n n 96 u,b2 n n 96 u,a2 n n 96 u,f2 n n 96 u", "b2 n n 96 u,e2 n n 96 u,a2 n n 96 u,c3 n n 96 u"},
                     clean, error)) {
        GTEST_SKIP() << error.message;
    }
    const std::vector<float> sound = audio::readSound(clean, 44100, error)->samples;
    double energy = 0;
    for (const float sample : sound) energy += double{sample} * sample;
    std::mt19937 random(5);
    std::normal_distribution<double> noise(0, std::sqrt(energy / double(sound.size())) / 10);
    writeSound(noisy, 44100, SF_FORMAT_WAV | SF_FORMAT_PCM_16, double(sound.size()) / 44100,
               [&](double t) { return float(sound[std::min(sound.size() - 1, size_t(t * 44100))] + noise(random)); });
    std::string failure;
    const auto heard = audio::hearFile(noisy, 440, failure);
    ASSERT_TRUE(heard) << failure;
    const double beat = 60.0 / played.song.tempo;
    ASSERT_EQ(heard->notes.size(), 8u);
    for (size_t i = 0; i < heard->notes.size(); ++i) EXPECT_NEAR(heard->notes[i].start, double(i) * beat, 0.05) << i;
    fs::remove_all(folder);
}

TEST(Transcription, HostileRecordingsGiveAMessageOrAnEmptyScoreWithANotice) {
    const fs::path folder = fs::temp_directory_path() / ("shinofu_hostile_sound_" + std::to_string(::getpid()));
    fs::create_directories(folder);
    model::Score score;
    shinofu::testing::readNotes(score, {}, {"c2 n n 96 u"});
    // Not sound at all: refused, the score as it was.
    std::ofstream(folder / "text.wav") << "RIFF, but only in name";
    const midi::ImportReport text = audio::transcribeFile(folder / "text.wav", {}, score, "text");
    ASSERT_TRUE(text.refusal);
    EXPECT_NE(text.refusal->find("text.wav"), std::string::npos);
    EXPECT_EQ(recordsOf(score), std::vector<std::string>{"c2 12"});
    // Silence and breath noise at 8 bits and 8 kHz: an empty score, and why.
    std::mt19937 random(5);
    std::normal_distribution<float> breath(0, 0.02f);
    writeSound(folder / "breath.wav", 8000, SF_FORMAT_WAV | SF_FORMAT_PCM_U8, 20,
               [&](double t) { return t < 10 ? 0.0f : breath(random); });
    const midi::ImportReport empty = audio::transcribeFile(folder / "breath.wav", {}, score, "breath");
    ASSERT_FALSE(empty.refusal) << *empty.refusal;
    EXPECT_TRUE(std::ranges::none_of(recordsOf(score), [](const std::string& word) { return !word.starts_with("rest"); }));
    EXPECT_EQ(empty.notices, std::vector<std::string>{"音が聞き取れませんでした"});
    // A tone at 384 kHz is an A.
    writeSound(folder / "fast.wav", 384000, SF_FORMAT_WAV | SF_FORMAT_FLOAT, 1.0,
               [](double t) { return static_cast<float>(0.3 * std::sin(2 * M_PI * 880 * t)); });
    ASSERT_FALSE(audio::transcribeFile(folder / "fast.wav", {}, score, "fast").refusal);
    EXPECT_EQ(recordsOf(score).front().substr(0, 2), "a2");
    fs::remove_all(folder);
}

TEST(Transcription, AFluteOffTheReferenceIsHeardAtItsOwnPitch) {
    const fs::path folder = fs::temp_directory_path() / ("shinofu_tuned_sound_" + std::to_string(::getpid()));
    fs::create_directories(folder);
    // A flute 40 cents sharp of A=440, with a vibrato of ±20 cents that reaches past the semitone's
    // middle, is heard at its own pitch: its A, B and C# stay themselves, one note each.
    const double sharp = 440.0 * std::exp2(40.0 / 1200);
    double phase = 0;
    writeSound(folder / "sharp.wav", 44100, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1.5, [&](double t) {
        const int key = t < 0.5 ? 0 : t < 1.0 ? 2 : 4;
        phase += 2 * M_PI * sharp * std::exp2(key / 12.0 + 20.0 / 1200 * std::sin(2 * M_PI * 6 * t)) / 44100;
        return static_cast<float>(0.3 * std::sin(phase));
    });
    audio::TranscriptionSettings slow;
    slow.tempo = 60;  // a tone an eighth
    model::Score score;
    const midi::ImportReport tuned = audio::transcribeFile(folder / "sharp.wav", slow, score, "sharp");
    const std::vector<std::string> keys = recordsOf(score);
    ASSERT_GE(keys.size(), 3u);
    EXPECT_EQ(std::vector<std::string>(keys.begin(), keys.begin() + 3), (std::vector<std::string>{"a1 6", "b1 6", "c2 6"}));
    EXPECT_TRUE(std::ranges::any_of(tuned.notices, [](const std::string& notice) { return notice.starts_with("録音は A=450."); }));
    fs::remove_all(folder);
}

}  // namespace
