#include "audio/tuner.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace shinofu::audio {
namespace {

constexpr size_t kSteadying = 8;      // frames the shown pitch is the median of: 46 ms at hop 256
constexpr size_t kLeastSettled = 4;   // frames of one pitch before it is shown at all
constexpr int kRelease = 12;          // unpitched frames that end a note: a breath, not a gap in it
constexpr double kSamePitch = 60;     // cents: farther from the held pitch is another note

double median(const std::deque<double>& values) {
    std::vector<double> sorted(values.begin(), values.end());
    std::nth_element(sorted.begin(), sorted.begin() + static_cast<std::ptrdiff_t>(sorted.size() / 2), sorted.end());
    return sorted[sorted.size() / 2];
}

}  // namespace

Tuner::Tuner(double reference) { setReference(reference); }

void Tuner::setReference(double hertz) {
    reference_ = std::clamp(hertz, kLowestReference, kHighestReference);
    voiced_.clear();
    reading_ = {};
}

const TunerReading& Tuner::take(const PitchFrame& frame) {
    if (frame.hertz <= 0) {
        if (++unvoiced_ > kRelease) {
            voiced_.clear();
            reading_ = {};
        }
        return reading_;
    }
    unvoiced_ = 0;
    const double cents = centsFromA4(frame.hertz, reference_);
    if (!voiced_.empty() && std::abs(cents - median(voiced_)) > kSamePitch) voiced_.clear();
    voiced_.push_back(cents);
    if (voiced_.size() > kSteadying) voiced_.pop_front();
    if (voiced_.size() < kLeastSettled) {
        reading_ = {};
        return reading_;
    }
    const double steady = median(voiced_);
    reading_.heard = true;
    reading_.hertz = reference_ * std::exp2(steady / 1200);
    reading_.key = 69 + static_cast<int>(std::lround(steady / 100));
    reading_.cents = steady - (reading_.key - 69) * 100.0;
    return reading_;
}

std::string keyName(int key) {
    static constexpr std::array<const char*, 12> kNames = {"C", "C♯", "D", "E♭", "E", "F", "F♯", "G", "A♭", "A", "B♭", "B"};
    const int octave = key / 12 - 1;
    return std::string(kNames[static_cast<size_t>(((key % 12) + 12) % 12)]) + std::to_string(octave);
}

}  // namespace shinofu::audio
