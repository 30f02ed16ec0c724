// The tuner on the synthesizer's flute, rendered through the program's own WAV path: every note read
// within 10 cents of the pitch it sounds, and the pitch tracker an octave off on under 1 % of its frames.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <numbers>
#include <span>
#include <tuple>

#include "audio/sound_file.h"
#include "audio/tuner.h"
#include "midi/performance_pass.h"
#include "model/pitch.h"
#include "output/wav_file.h"
#include "support/read_notes.h"

namespace {

namespace fs = std::filesystem;
using namespace shinofu;

// The strength of one frequency in the Hann-windowed samples (Goertzel).
double strength(std::span<const float> samples, int rate, double hertz) {
    const double w = 2 * std::numbers::pi * hertz / rate, coefficient = 2 * std::cos(w);
    double s1 = 0, s2 = 0;
    for (size_t i = 0; i < samples.size(); ++i) {
        const double hann = 0.5 - 0.5 * std::cos(2 * std::numbers::pi * static_cast<double>(i) / static_cast<double>(samples.size()));
        const double s0 = samples[i] * hann + coefficient * s1 - s2;
        s2 = s1;
        s1 = s0;
    }
    return s1 * s1 + s2 * s2 - coefficient * s1 * s2;
}

// What the synthesizer really sounds for a key, in cents from A4: the peak of the fundamental over a
// second of the note, searched 50 cents either side of the key. Its samples are not all in tune.
double soundingCents(std::span<const float> samples, int rate, int key) {
    double best = (key - 69) * 100.0;
    for (const double step : {2.0, 0.2}) {
        const double around = best;
        double most = -1;
        for (double cents = around - (step > 1 ? 50 : 2); cents <= around + (step > 1 ? 50 : 2); cents += step) {
            const double power = strength(samples, rate, 440 * std::exp2(cents / 1200));
            if (power > most) std::tie(most, best) = std::pair(power, cents);
        }
    }
    return best;
}

TEST(RenderedPitch, TheFluteReadsWithinTenCentsWithoutOctaveErrors) {
    const fs::path folder = fs::temp_directory_path() / ("shinofu_rendered_pitch_" + std::to_string(::getpid()));
    fs::create_directories(folder);
    model::Score played;
    // Half notes over the shinobue's range, from C4 to E6.
    shinofu::testing::readNotes(played, {"$Instrument:73"},
                                {"c1 n n 192 u,e1 n n 192 u", "g1 n n 192 u,a1 n n 192 u", "c2 n n 192 u,e2 n n 192 u",
                                 "g2 n n 192 u,a2 n n 192 u", "c3 n n 192 u,e3 n n 192 u"});
    played.recomputePositions();
    platform::IoError error;
    const fs::path wav = folder / "flute.wav";
    if (output::writeWavFile(played, wav, error) != output::WavWrite::Written) GTEST_SKIP() << error.message;
    const std::optional<audio::Sound> sound = audio::readSound(wav, 44100, error);
    ASSERT_TRUE(sound) << error.message;
    audio::PitchTracker tracker(sound->rate);
    ASSERT_TRUE(tracker.ready()) << tracker.error();
    audio::Tuner tuner;
    std::vector<std::pair<audio::PitchFrame, audio::TunerReading>> heard;
    for (const auto& frame : tracker.feed(sound->samples)) heard.emplace_back(frame, tuner.take(frame));

    int pitched = 0, octaveOff = 0, notes = 0;
    for (const model::TNote* note : shinofu::testing::notesOf(played, 1)) {
        if (note->isEndMarker() || !model::isStaffPitch(note->pitch)) continue;
        ++notes;
        const int key = midi::midiNoteOf(*note, played.song.keySig);
        const double from = note->startPos * played.song.msPerUnit / 1000, length = note->len * played.song.msPerUnit / 1000;
        const double first = from + 0.25 * length, last = from + 0.75 * length;
        const double sounding = soundingCents(std::span(sound->samples).subspan(static_cast<size_t>(first * sound->rate),
                                                                              static_cast<size_t>((last - first) * sound->rate)),
                                              sound->rate, key);
        // The note's middle: past its attack, before its release.
        std::vector<double> shown;
        for (const auto& [frame, reading] : heard) {
            if (frame.seconds < first || frame.seconds > last) continue;
            if (frame.hertz > 0) {
                ++pitched;
                octaveOff += std::abs(audio::centsFromA4(frame.hertz) - sounding) > 600;
            }
            ASSERT_TRUE(reading.heard) << "key " << key << " at " << frame.seconds << " s";
            EXPECT_EQ(reading.key, key) << frame.seconds << " s";
            shown.push_back((reading.key - 69) * 100.0 + reading.cents);
        }
        // The synthesizer's own vibrato moves the needle; where it rests is the note's pitch.
        ASSERT_FALSE(shown.empty());
        std::nth_element(shown.begin(), shown.begin() + static_cast<std::ptrdiff_t>(shown.size() / 2), shown.end());
        EXPECT_NEAR(shown[shown.size() / 2], sounding, 10) << "key " << key;
    }
    EXPECT_EQ(notes, 10);
    EXPECT_GT(pitched, 10 * 50);
    EXPECT_LT(octaveOff * 100, pitched) << octaveOff << " of " << pitched << " frames an octave off";
    fs::remove_all(folder);
}

}  // namespace
