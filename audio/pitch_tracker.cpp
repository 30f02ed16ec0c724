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
    size_t used = 0;
    for (; pending_.size() - used >= static_cast<size_t>(hop_); used += static_cast<size_t>(hop_)) {
        const float* hop = pending_.data() + used;
        double energy = 0;
        for (int i = 0; i < hop_; ++i) energy += double{hop[i]} * hop[i];
        const FrameDetector::Hop heard = detector_->detect(hop);
        PitchFrame frame;
        frame.seconds = std::max(0.0, static_cast<double>(++hops_ * hop_ - window_ / 2) / rate_);
        frame.level = std::sqrt(energy / hop_);
        frame.confidence = heard.confidence;
        frame.onset = heard.onset;
        frame.attack = heard.attackSeconds;
        if (frame.level >= kSilence && frame.confidence >= kLeastConfidence && heard.hertz > 0) frame.hertz = heard.hertz;
        frames.push_back(frame);
    }
    pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(used));
    return frames;
}

double centsFromA4(double hertz, double reference) { return 1200.0 * std::log2(hertz / reference); }

int nearestKey(double hertz, double reference) { return 69 + static_cast<int>(std::lround(centsFromA4(hertz, reference) / 100.0)); }

}  // namespace shinofu::audio
