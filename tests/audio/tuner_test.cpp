// The tuner's reading of synthetic playing: steady on held tones, silent on silence and breath.
#include "audio/tuner.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>

namespace {

using shinofu::audio::PitchTracker;
using shinofu::audio::Tuner;
using shinofu::audio::TunerReading;

constexpr int kRate = 44100;

// What the tuner shows after each hop of the sound, fed in 10 ms blocks as an input device delivers it.
std::vector<TunerReading> shown(Tuner& tuner, const std::vector<float>& samples) {
    PitchTracker tracker(kRate);
    EXPECT_TRUE(tracker.ready()) << tracker.error();
    std::vector<TunerReading> readings;
    for (size_t at = 0; at < samples.size(); at += kRate / 100) {
        const size_t count = std::min<size_t>(kRate / 100, samples.size() - at);
        for (const auto& frame : tracker.feed(std::span(samples).subspan(at, count))) readings.push_back(tuner.take(frame));
    }
    return readings;
}

// A breathy flute tone: three harmonics and noise 30 dB below.
std::vector<float> flute(double hertz, double seconds, std::mt19937& rng) {
    std::normal_distribution<double> breath(0, 0.3 * std::pow(10, -30.0 / 20));
    std::vector<float> samples(static_cast<size_t>(seconds * kRate));
    for (size_t i = 0; i < samples.size(); ++i) {
        const double phase = 2 * std::numbers::pi * hertz * static_cast<double>(i) / kRate;
        samples[i] = static_cast<float>(0.3 * std::sin(phase) + 0.1 * std::sin(2 * phase) + 0.05 * std::sin(3 * phase) + breath(rng));
    }
    return samples;
}

TEST(Tuner, AHeldToneReadsWithinThreeCentsAndStaysWithinTwo) {
    std::mt19937 rng(20261209);
    std::uniform_real_distribution<double> octaves(0.0, std::log2(2400.0 / 400.0));
    for (int round = 0; round < 16; ++round) {
        const double hertz = 400 * std::exp2(octaves(rng));
        Tuner tuner;
        const std::vector<TunerReading> readings = shown(tuner, flute(hertz, 0.5, rng));
        const double truth = shinofu::audio::centsFromA4(hertz);
        int heard = 0;
        double least = 1e9, most = -1e9;
        for (const TunerReading& reading : readings) {
            if (!reading.heard) continue;
            ++heard;
            EXPECT_EQ(reading.key, 69 + std::lround(truth / 100)) << hertz << " Hz";
            const double cents = reading.key * 100.0 - 6900 + reading.cents;
            EXPECT_NEAR(shinofu::audio::centsFromA4(reading.hertz), cents, 1e-6);
            EXPECT_NEAR(cents, truth, 3.0) << hertz << " Hz";
            least = std::min(least, cents);
            most = std::max(most, cents);
        }
        // Accurate within 3 cents, and the needle still within ±2.
        EXPECT_LE(most - least, 4.0) << hertz << " Hz";
        // Shown within 40 ms of the tone's start and from then on.
        EXPECT_GE(heard, static_cast<int>(readings.size()) - 7) << hertz << " Hz";
    }
}

TEST(Tuner, SilenceAndBreathShowNothingAndANoteEndsWhenItsSoundDoes) {
    std::mt19937 rng(7);
    std::vector<float> sound(kRate / 2, 0.0f);
    // Breath: noise swelling and fading, as between phrases.
    std::normal_distribution<float> hiss(0.0f, 1.0f);
    for (int i = 0; i < kRate; ++i) sound.push_back(0.15f * std::sin(std::numbers::pi_v<float> * i / kRate) * hiss(rng));
    Tuner tuner;
    for (const TunerReading& reading : shown(tuner, sound)) EXPECT_FALSE(reading.heard);
    // A note, then silence: the reading goes within a tenth of a second.
    std::vector<float> note = flute(880, 0.3, rng);
    note.resize(note.size() + kRate / 2, 0.0f);
    const std::vector<TunerReading> readings = shown(tuner, note);
    const size_t afterTenth = (static_cast<size_t>(0.4 * kRate) + 1024) / 256;
    ASSERT_GT(readings.size(), afterTenth);
    EXPECT_TRUE(readings[afterTenth - 60].heard);
    for (size_t i = afterTenth; i < readings.size(); ++i) EXPECT_FALSE(readings[i].heard) << i;
}

TEST(Tuner, TheReferencePitchNamesTheNote) {
    std::mt19937 rng(3);
    Tuner at442(442);
    const TunerReading reading = shown(at442, flute(442, 0.3, rng)).back();
    ASSERT_TRUE(reading.heard);
    EXPECT_EQ(reading.key, 69);
    EXPECT_NEAR(reading.cents, 0, 2);
    Tuner at440;
    EXPECT_NEAR(shown(at440, flute(442, 0.3, rng)).back().cents, 7.85, 2);
    at440.setReference(500);
    EXPECT_EQ(at440.reference(), 450);
    EXPECT_EQ(shinofu::audio::keyName(60), "C4");
    EXPECT_EQ(shinofu::audio::keyName(73), "C♯5");
    EXPECT_EQ(shinofu::audio::keyName(69), "A4");
}

}  // namespace
