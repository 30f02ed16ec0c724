// The pitch tracker on synthetic sound: tones across the flute's range, silence and noise.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>

#include "audio/pitch_tracker.h"

namespace {

using shinofu::audio::PitchFrame;
using shinofu::audio::PitchTracker;

constexpr int kRate = 44100;

std::vector<float> tone(double hertz, double seconds, double amplitude = 0.3) {
    std::vector<float> samples(static_cast<size_t>(seconds * kRate));
    for (size_t i = 0; i < samples.size(); ++i) {
        samples[i] = static_cast<float>(amplitude * std::sin(2 * std::numbers::pi * hertz * static_cast<double>(i) / kRate));
    }
    return samples;
}

// The frames once the window has filled with the sound.
std::vector<PitchFrame> settled(const std::vector<float>& samples) {
    PitchTracker tracker(kRate);
    EXPECT_TRUE(tracker.ready()) << tracker.error();
    std::vector<PitchFrame> frames = tracker.feed(samples);
    const size_t fill = 1024 / 256;
    return {frames.begin() + static_cast<std::ptrdiff_t>(std::min(fill, frames.size())), frames.end()};
}

TEST(PitchTracker, PureTonesAcrossTheFlutesRangeWithinThreeCents) {
    std::mt19937 rng(20261209);
    std::uniform_real_distribution<double> octaves(0.0, std::log2(2400.0 / 400.0));
    for (int round = 0; round < 24; ++round) {
        const double hertz = 400 * std::exp2(octaves(rng));
        const std::vector<PitchFrame> frames = settled(tone(hertz, 0.3));
        ASSERT_FALSE(frames.empty());
        for (const PitchFrame& frame : frames) {
            ASSERT_GT(frame.hertz, 0) << hertz << " Hz at " << frame.seconds << " s";
            EXPECT_NEAR(1200 * std::log2(frame.hertz / hertz), 0.0, 3.0) << hertz << " Hz";
        }
    }
}

TEST(PitchTracker, SilenceAndNoiseHoldNoPitch) {
    for (const PitchFrame& frame : settled(std::vector<float>(kRate / 2, 0.0f))) EXPECT_EQ(frame.hertz, 0);
    std::mt19937 rng(7);
    std::normal_distribution<float> hiss(0.0f, 0.1f);
    std::vector<float> noise(kRate);
    for (float& sample : noise) sample = hiss(rng);
    int pitched = 0;
    const std::vector<PitchFrame> frames = settled(noise);
    for (const PitchFrame& frame : frames) pitched += frame.hertz > 0;
    EXPECT_LT(pitched * 20, static_cast<int>(frames.size())) << "under 5 % of noise frames";
}

TEST(PitchTracker, FramesComeOutOfAnyFeedingInOrder) {
    // Fed in odd pieces, the tracker gives the frames it gives for the whole.
    const std::vector<float> samples = tone(880, 0.2);
    PitchTracker whole(kRate), pieces(kRate);
    const std::vector<PitchFrame> expected = whole.feed(samples);
    std::vector<PitchFrame> got;
    for (size_t at = 0; at < samples.size(); at += 1000) {
        const auto part = pieces.feed(std::span(samples).subspan(at, std::min<size_t>(1000, samples.size() - at)));
        got.insert(got.end(), part.begin(), part.end());
    }
    ASSERT_EQ(got.size(), expected.size());
    for (size_t i = 0; i < got.size(); ++i) {
        EXPECT_DOUBLE_EQ(got[i].seconds, expected[i].seconds);
        EXPECT_DOUBLE_EQ(got[i].hertz, expected[i].hertz);
    }
}

TEST(PitchTracker, CentsAndKeysFromTheReference) {
    EXPECT_EQ(shinofu::audio::nearestKey(440.0), 69);
    EXPECT_EQ(shinofu::audio::nearestKey(442.0, 442.0), 69);
    EXPECT_EQ(shinofu::audio::nearestKey(523.25), 72);
    EXPECT_NEAR(shinofu::audio::centsFromA4(442.0), 7.85, 0.01);
}

}  // namespace
