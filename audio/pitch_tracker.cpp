#include "audio/pitch_tracker.h"

#include <algorithm>
#include <cmath>

namespace shinofu::audio {

PitchTracker::PitchTracker(int rate, int window, int hop)
    : detector_(newFrameDetector(rate, window, hop, error_)), rate_(rate), hop_(hop), window_(window) {}

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
        const FrameDetector::Hop& found = heard[static_cast<size_t>(h)];
        PitchFrame frame;
        frame.seconds = std::max(0.0, static_cast<double>(++hops_ * hop_ - window_ / 2) / rate_);
        frame.level = std::sqrt(energy / hop_);
        frame.confidence = found.confidence;
        frame.onset = found.onset;
        frame.attack = found.attackSeconds;
        if (frame.level >= kSilence && frame.confidence >= kLeastConfidence && found.hertz > 0) frame.hertz = found.hertz;
        frames.push_back(frame);
    }
    const size_t used = static_cast<size_t>(hops) * static_cast<size_t>(hop_);
    pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(used));
    return frames;
}

double centsFromA4(double hertz, double reference) { return 1200.0 * std::log2(hertz / reference); }

int nearestKey(double hertz, double reference) { return 69 + static_cast<int>(std::lround(centsFromA4(hertz, reference) / 100.0)); }

}  // namespace shinofu::audio
