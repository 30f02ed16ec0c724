// The pitch tracker as the tuner and the play-along use it (pitch_tracker_bench): how long after a
// note changes the new pitch is shown (from the first sample of the new note to the first hop
// reporting it within 50 cents, and steady within 5; then the same on the tuner's steadied face),
// the share of one core it takes to follow live sound, and the share the score follower takes
// through a five-minute performance.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <vector>

#include "audio/pitch_tracker.h"
#include "audio/score_follower.h"
#include "audio/tuner.h"

namespace {

constexpr int kRate = 44100;

// A flute-like tone: the fundamental with weaker second and third harmonics.
void appendTone(std::vector<float>& samples, double hertz, double seconds, double& phase) {
    for (int i = 0; i < static_cast<int>(seconds * kRate); ++i) {
        phase += 2 * std::numbers::pi * hertz / kRate;
        samples.push_back(static_cast<float>(0.3 * std::sin(phase) + 0.1 * std::sin(2 * phase) + 0.05 * std::sin(3 * phase)));
    }
}

double cents(double a, double b) { return std::abs(1200 * std::log2(a / b)); }

}  // namespace

int main() {
    using shinofu::audio::PitchTracker;
    // Latency: one note, then the next, over the flute's range.
    std::vector<double> shown, steady, faces;
    for (double from = 440; from < 2400; from *= 1.26) {
        const double to = from * 1.5;
        std::vector<float> samples;
        double phase = 0;
        appendTone(samples, from, 0.5, phase);
        const double change = static_cast<double>(samples.size()) / kRate;
        appendTone(samples, to, 0.5, phase);
        PitchTracker tracker(kRate);
        shinofu::audio::Tuner tuner;
        double first = -1, settled = -1, face = -1;
        for (const auto& frame : tracker.feed(samples)) {
            // The hop is reported when its last sample has arrived.
            const double at = frame.seconds + static_cast<double>(tracker.hop()) / kRate;
            const shinofu::audio::TunerReading& reading = tuner.take(frame);
            if (at <= change || frame.hertz <= 0) continue;
            if (first < 0 && cents(frame.hertz, to) < 50) first = at - change;
            if (settled < 0 && cents(frame.hertz, to) < 5) settled = at - change;
            if (face < 0 && reading.heard && cents(reading.hertz, to) < 5) face = at - change;
        }
        shown.push_back(first * 1000);
        steady.push_back(settled * 1000);
        faces.push_back(face * 1000);
    }
    std::sort(shown.begin(), shown.end());
    std::sort(steady.begin(), steady.end());
    std::sort(faces.begin(), faces.end());
    std::printf("pitch tracker (aubio fast YIN, window 1024, hop 256, 44.1 kHz)\n");
    std::printf("  a new note shown within 50 cents: median %.1f ms, worst %.1f ms\n", shown[shown.size() / 2], shown.back());
    std::printf("  steady within 5 cents:            median %.1f ms, worst %.1f ms\n", steady[steady.size() / 2], steady.back());
    std::printf("  on the tuner's face within 5 cents: median %.1f ms, worst %.1f ms\n", faces[faces.size() / 2], faces.back());

    // CPU: a minute of sound fed in hops, as a microphone delivers it.
    std::vector<float> minute;
    double phase = 0;
    appendTone(minute, 880, 60, phase);
    PitchTracker tracker(kRate);
    const auto start = std::chrono::steady_clock::now();
    for (size_t at = 0; at < minute.size(); at += 256) {
        tracker.feed(std::span(minute).subspan(at, std::min<size_t>(256, minute.size() - at)));
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("  one core's share to follow live sound: %.2f %% (60 s of sound in %.3f s)\n", seconds / 60 * 100, seconds);

    // The follower through five minutes of playing: 1000 notes of 0.3 s, the frames as a 10 ms input brings them.
    constexpr double kHop = 256.0 / kRate, kNote = 0.3;
    constexpr int kNotes = 1000;
    std::vector<shinofu::audio::ExpectedNote> expected;
    for (int n = 0; n < kNotes; ++n) expected.push_back({n * 12, n * 12, 69 + (n * 7) % 12});
    shinofu::audio::ScoreFollower follower(expected, kHop, kNote / 12);
    std::vector<shinofu::audio::PitchFrame> frames;
    for (int f = 0; f < static_cast<int>(kNotes * kNote / kHop); ++f) {
        shinofu::audio::PitchFrame frame;
        frame.seconds = f * kHop;
        const int note = static_cast<int>(frame.seconds / kNote);
        const bool gap = frame.seconds - note * kNote > kNote - 0.02;  // tongued: a breath between notes
        frame.hertz = gap ? 0 : 440 * std::exp2(expected[static_cast<size_t>(note)].key / 12.0 - 69 / 12.0);
        frame.level = gap ? 0 : 0.1;
        frame.confidence = gap ? 0 : 1;
        frames.push_back(frame);
    }
    const auto began = std::chrono::steady_clock::now();
    double slowest = 0;
    for (size_t at = 0; at < frames.size(); at += 2) {
        const auto before = std::chrono::steady_clock::now();
        follower.take(std::span(frames).subspan(at, std::min<size_t>(2, frames.size() - at)));
        slowest = std::max(slowest, std::chrono::duration<double>(std::chrono::steady_clock::now() - before).count());
    }
    const double following = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    std::printf("score follower, %d notes in %.0f s: one core's share %.2f %%, slowest update %.1f ms, at the end on note %d\n",
                kNotes, kNotes * kNote, following / (kNotes * kNote) * 100, slowest * 1000, follower.position());
    return 0;
}
