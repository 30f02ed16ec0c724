// The pitch tracker as a tuner uses it (pitch_tracker_bench): how long after a note changes the
// new pitch is shown (from the first sample of the new note to the first hop reporting it within
// 50 cents, and steady within 5), and the share of one core it takes to follow live sound.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <vector>

#include "audio/pitch_tracker.h"

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
    std::vector<double> shown, steady;
    for (double from = 440; from < 2400; from *= 1.26) {
        const double to = from * 1.5;
        std::vector<float> samples;
        double phase = 0;
        appendTone(samples, from, 0.5, phase);
        const double change = static_cast<double>(samples.size()) / kRate;
        appendTone(samples, to, 0.5, phase);
        PitchTracker tracker(kRate);
        double first = -1, settled = -1;
        for (const auto& frame : tracker.feed(samples)) {
            // The hop is reported when its last sample has arrived.
            const double at = frame.seconds + static_cast<double>(tracker.hop()) / kRate;
            if (at <= change || frame.hertz <= 0) continue;
            if (first < 0 && cents(frame.hertz, to) < 50) first = at - change;
            if (settled < 0 && cents(frame.hertz, to) < 5) settled = at - change;
        }
        shown.push_back(first * 1000);
        steady.push_back(settled * 1000);
    }
    std::sort(shown.begin(), shown.end());
    std::sort(steady.begin(), steady.end());
    std::printf("pitch tracker (aubio fast YIN, window 1024, hop 256, 44.1 kHz)\n");
    std::printf("  a new note shown within 50 cents: median %.1f ms, worst %.1f ms\n", shown[shown.size() / 2], shown.back());
    std::printf("  steady within 5 cents:            median %.1f ms, worst %.1f ms\n", steady[steady.size() / 2], steady.back());

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
    return 0;
}
