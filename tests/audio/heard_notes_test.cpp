// Notes from a pitch track of synthetic playing: changes of key, tongued and slurred repeats,
// vibrato and a glide held as one note, breath noise and blips that are not notes.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>
#include <random>

#include "audio/heard_notes.h"

namespace {

using namespace shinofu::audio;

constexpr int kRate = 44100;

struct Played {
    double seconds;
    double hertz;        // 0: silence
    double vibrato = 0;  // cents, at 6 Hz
    double glide = 0;    // cents reached by the end
    bool dipMidway = false;  // the breath eases and pushes again: a slurred repeat
    double echo = 0;         // seconds: the sound dies away at this time constant, the room's echo
    double sinkAt = 0;       // seconds after the start: the sound sinks and swells again, without an attack's noise
};

std::vector<float> play(const std::vector<Played>& melody) {
    std::vector<float> samples;
    double phase = 0;
    std::mt19937 rng(3);
    std::normal_distribution<float> breath(0.0f, 0.004f);
    for (const Played& note : melody) {
        const int count = static_cast<int>(note.seconds * kRate);
        for (int i = 0; i < count; ++i) {
            const double t = static_cast<double>(i) / kRate;
            const double cents = note.vibrato * std::sin(2 * std::numbers::pi * 6 * t) + note.glide * t / note.seconds;
            phase += 2 * std::numbers::pi * note.hertz * std::exp2(cents / 1200) / kRate;
            double amplitude = note.hertz > 0 ? 0.3 : 0.0;
            if (note.dipMidway) amplitude *= 1 - 0.85 * std::exp(-std::pow((t - note.seconds / 2) / 0.012, 2));
            if (note.echo > 0) amplitude *= std::exp(-t / note.echo);
            if (note.sinkAt > 0 && t > note.sinkAt - 0.025 && t < note.sinkAt + 0.06) {
                amplitude *= t < note.sinkAt ? 1 - 0.85 * (t - note.sinkAt + 0.025) / 0.025 : 0.15 + 0.85 * (t - note.sinkAt) / 0.06;
            }
            samples.push_back(static_cast<float>(amplitude * (std::sin(phase) + 0.3 * std::sin(2 * phase))) + breath(rng));
        }
    }
    return samples;
}

// A second of sound, sample by sample from the function of time.
std::vector<float> sound(const std::function<double(double)>& at) {
    std::vector<float> samples;
    for (int i = 0; i < kRate; ++i) samples.push_back(static_cast<float>(at(static_cast<double>(i) / kRate)));
    return samples;
}

// The keys of the notes heard in the samples.
std::vector<int> keysHeard(const std::vector<float>& samples) {
    PitchTracker tracker(kRate);
    std::vector<int> keys;
    for (const HeardNote& note : hearNotes(tracker.feed(samples), 256.0 / kRate)) keys.push_back(note.key);
    return keys;
}

TEST(HeardNotes, KeysRepeatsVibratoAndGlidesAsAPlayerMeansThem) {
    const std::vector<Played> melody = {
        {0.30, keyHertz(69)},                     // A4
        {0.30, keyHertz(76)},                     // E5
        {0.08, 0},                               // tongued: a gap
        {0.30, keyHertz(76)},                     // E5 again
        {0.50, keyHertz(72), 30},                 // C5 with vibrato
        {0.40, keyHertz(74), 0, 40},              // D5 bending up 40 cents: still D5
        {0.60, keyHertz(69), 0, 0, true},         // A4 slurred twice
        {0.02, keyHertz(81)},                     // a blip, no note
        {0.30, 0},
    };
    PitchTracker tracker(kRate);
    const std::vector<HeardNote> notes = hearNotes(tracker.feed(play(melody)), 256.0 / kRate);
    const std::vector<int> keys = {69, 76, 76, 72, 74, 69, 69};
    ASSERT_EQ(notes.size(), keys.size());
    const double onsets[] = {0.0, 0.30, 0.68, 0.98, 1.48, 1.88, 2.18};
    for (size_t i = 0; i < keys.size(); ++i) {
        EXPECT_EQ(notes[i].key, keys[i]) << i;
        EXPECT_NEAR(notes[i].start, onsets[i], 0.05) << i;
    }
    EXPECT_NEAR(notes[3].cents, 0, 10);   // vibrato centred on its key
    EXPECT_NEAR(notes[4].cents, 20, 10);  // the bend's middle
}

// A note ends where the player stopped, not where its echo in the room dies away.
TEST(HeardNotes, ANoteEndsWhereItStopsNotWhereItsEchoDies) {
    const std::vector<Played> melody = {{0.40, keyHertz(74)}, {0.50, keyHertz(74), 0, 0, false, 0.06}, {0.30, 0}};
    PitchTracker tracker(kRate);
    const std::vector<HeardNote> notes = hearNotes(tracker.feed(play(melody)), 256.0 / kRate);
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_NEAR(notes[0].end, 0.40, 0.05);
}

// The sound sinking and swelling again in a held key is a slurred repeat, unless the key's sound
// does so by itself at that moment of every note (a sample's loop).
TEST(HeardNotes, ASinkAndSwellRepeatsTheNoteUnlessTheKeyAlwaysDoesIt) {
    std::vector<Played> melody;
    for (int note = 0; note < 3; ++note) {
        melody.push_back({0.5, keyHertz(72), 0, 0, false, 0, 0.2});
        melody.push_back({0.3, keyHertz(76)});
    }
    melody.push_back({0.8, keyHertz(72), 0, 0, false, 0, 0.45});
    melody.push_back({0.3, 0});
    EXPECT_EQ(keysHeard(play(melody)), (std::vector<int>{72, 76, 72, 76, 72, 76, 72, 72}));
}

// A tone struck anew starts with a phase of its own, though its level hardly moves (a slurred
// repeat the onsets miss); a tone only wavering in pitch keeps its phase's course.
TEST(HeardNotes, ATonesPhaseStartingAfreshRepeatsTheNote) {
    const auto tone = [](double jumpAt, double vibratoCents) {
        return sound([=](double t) {
            const double wavering = vibratoCents / 1200 * std::log(2.0) * keyHertz(81) / 6 * -std::cos(2 * std::numbers::pi * 6 * t);
            const double phase = 2 * std::numbers::pi * keyHertz(81) * t + wavering + (t >= jumpAt ? std::numbers::pi / 2 : 0);
            return t < 0.9 ? 0.3 * (std::sin(phase) + 0.3 * std::sin(2 * phase)) : 0.0;
        });
    };
    EXPECT_EQ(keysHeard(tone(0.45, 0)), (std::vector<int>{81, 81}));
    EXPECT_EQ(keysHeard(tone(0.45, 30)), (std::vector<int>{81, 81}));
    EXPECT_EQ(keysHeard(tone(1.0, 30)), (std::vector<int>{81}));
}

// Where loud hiss has drowned the onsets of the whitened spectra, those of the plain spectra are
// heard: here they mark an accent in every note, whose swell alone splits no note.
TEST(HeardNotes, WhereOnsetsWentDeafThePlainOnesAreHeard) {
    constexpr double hop = 256.0 / kRate;
    std::vector<PitchFrame> frames;
    std::vector<int> keys;
    for (int note = 0; note < 20; ++note) {
        const int key = note % 2 ? 84 : 81;
        keys.insert(keys.end(), {key, key});
        for (int i = 0; i < 70; ++i) {
            PitchFrame frame;
            frame.seconds = static_cast<double>(frames.size()) * hop;
            frame.hertz = keyHertz(key);
            frame.confidence = 1;
            frame.level = i < 35 ? 0.05 : 0.12;
            frame.plainOnset = i == 35;
            frame.plainAttack = frame.plainOnset ? frame.seconds - hop : -1;
            frames.push_back(frame);
        }
    }
    std::vector<int> heard;
    for (const HeardNote& note : hearNotes(frames, hop)) heard.push_back(note.key);
    EXPECT_EQ(heard, keys);
}

// One note's release under the next one's attack repeats at their common fundamental, two octaves
// below the next note: that is the next note, not a low one between them.
TEST(HeardNotes, TwoNotesOverlappingAreNoLowNoteBetween) {
    const std::vector<float> samples = sound([](double t) {
        const double fading = t < 0.4 ? 0.3 : t < 0.52 ? 0.3 * (0.52 - t) / 0.12 : 0.0;
        const double coming = t < 0.38 ? 0.0 : t < 0.9 ? 0.3 : 0.0;
        return fading * std::sin(2 * std::numbers::pi * keyHertz(78) * t) + coming * std::sin(2 * std::numbers::pi * keyHertz(83) * t);
    });
    EXPECT_EQ(keysHeard(samples), (std::vector<int>{78, 83}));
}

// The room's echo of a note, heard alone in the rest after it, is no note.
TEST(HeardNotes, AnEchoInTheRestIsNoNote) {
    const std::vector<float> samples = sound([](double t) {
        const double amplitude = t < 0.4 ? 0.3 : t >= 0.55 && t < 0.65 ? 0.02 : t >= 0.8 ? 0.3 : 0.0;
        return amplitude * std::sin(2 * std::numbers::pi * keyHertz(81) * t);
    });
    PitchTracker tracker(kRate);
    const std::vector<HeardNote> notes = hearNotes(tracker.feed(samples), 256.0 / kRate);
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_NEAR(notes[1].start, 0.8, 0.02);
}

TEST(HeardNotes, SilenceAndBreathAloneAreNoNotes) {
    PitchTracker tracker(kRate);
    EXPECT_TRUE(hearNotes(tracker.feed(play({{1.0, 0}})), 256.0 / kRate).empty());
}

}  // namespace
