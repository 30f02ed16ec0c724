#include "audio/pitch_tracker.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace shinofu::audio {

PitchTracker::PitchTracker(int rate, int window, int hop)
    : detector_(newFrameDetector(rate, window, hop, error_)), rate_(rate), hop_(hop), window_(window),
      recent_(static_cast<size_t>(window), 0.0f), hann_(static_cast<size_t>(window)) {
    for (size_t i = 0; i < hann_.size(); ++i) hann_[i] = 0.5 - 0.5 * std::cos(2 * std::numbers::pi * static_cast<double>(i) / window);
}

PitchTracker::~PitchTracker() = default;

std::vector<PitchFrame> PitchTracker::feed(std::span<const float> samples) {
    std::vector<PitchFrame> frames;
    if (!detector_) return frames;
    pending_.insert(pending_.end(), samples.begin(), samples.end());
    const int hops = static_cast<int>(pending_.size() / static_cast<size_t>(hop_));
    std::vector<FrameDetector::Hop> heard(static_cast<size_t>(hops));
    if (hops > 0) detector_->detect(pending_.data(), hops, heard.data());
    frames.reserve(heard.size());
    for (int h = 0; h < hops; ++h) {
        const float* hop = pending_.data() + std::ptrdiff_t{h} * hop_;
        double energy = 0;
        for (int i = 0; i < hop_; ++i) energy += double{hop[i]} * hop[i];
        std::copy(recent_.begin() + hop_, recent_.end(), recent_.begin());
        std::copy_n(hop, hop_, recent_.end() - hop_);
        const FrameDetector::Hop& found = heard[static_cast<size_t>(h)];
        PitchFrame frame;
        frame.seconds = std::max(0.0, static_cast<double>(++hops_ * hop_ - window_ / 2) / rate_);
        frame.level = std::sqrt(energy / hop_);
        frame.confidence = found.confidence;
        frame.onset = found.onset;
        frame.attack = found.attackSeconds;
        frame.plainOnset = found.plainOnset;
        frame.plainAttack = found.plainAttackSeconds;
        if (frame.level >= kSilence && frame.confidence >= kLeastConfidence && found.hertz > 0) {
            frame.hertz = found.hertz;
            frame.keyPhase = phaseAt(keyHertz(nearestKey(found.hertz)));
        }
        frames.push_back(frame);
    }
    const size_t used = static_cast<size_t>(hops) * static_cast<size_t>(hop_);
    pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(used));
    return frames;
}

// The phase of the window's sound at the frequency, against a cosine started with the stream: a
// steady tone's advances evenly from hop to hop, by its distance from that frequency.
double PitchTracker::phaseAt(double hertz) const {
    const long first = hops_ * hop_ - window_;  // the window's first sample in the stream
    const double start = -2 * std::numbers::pi * static_cast<double>(std::fmod(static_cast<long double>(hertz) * first / rate_, 1.0L));
    const double turn = -2 * std::numbers::pi * hertz / rate_;
    // The cosine turned sample by sample in plain arithmetic: std::complex's product guards
    // against infinities at a cost that would double the analysis time.
    double re = std::cos(start), im = std::sin(start);
    const double turnRe = std::cos(turn), turnIm = std::sin(turn);
    double sumRe = 0, sumIm = 0;
    for (size_t i = 0; i < recent_.size(); ++i) {
        const double windowed = static_cast<double>(recent_[i]) * hann_[i];
        sumRe += windowed * re;
        sumIm += windowed * im;
        const double nextRe = re * turnRe - im * turnIm;
        im = re * turnIm + im * turnRe;
        re = nextRe;
    }
    return std::atan2(sumIm, sumRe);
}

double centsFromA4(double hertz, double reference) { return 1200.0 * std::log2(hertz / reference); }

int nearestKey(double hertz, double reference) { return 69 + static_cast<int>(std::lround(centsFromA4(hertz, reference) / 100.0)); }

double keyHertz(int key, double reference) { return reference * std::exp2((key - 69) / 12.0); }

}  // namespace shinofu::audio
