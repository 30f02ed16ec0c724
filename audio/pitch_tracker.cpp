#include "audio/pitch_tracker.h"

#include <aubio/aubio.h>

#include <cmath>

namespace shinofu::audio {

struct PitchTracker::Aubio {
    aubio_pitch_t* pitch = nullptr;
    aubio_onset_t* onset = nullptr;
    fvec_t* in = nullptr;
    fvec_t* out = nullptr;
    fvec_t* onsetOut = nullptr;
    ~Aubio() {
        if (pitch) del_aubio_pitch(pitch);
        if (onset) del_aubio_onset(onset);
        if (onsetOut) del_fvec(onsetOut);
        if (in) del_fvec(in);
        if (out) del_fvec(out);
    }
};

PitchTracker::PitchTracker(int rate, int window, int hop) : aubio_(std::make_unique<Aubio>()), rate_(rate), hop_(hop) {
    aubio_->pitch = new_aubio_pitch("yinfast", static_cast<uint_t>(window), static_cast<uint_t>(hop), static_cast<uint_t>(rate));
    aubio_->in = new_fvec(static_cast<uint_t>(hop));
    aubio_->out = new_fvec(1);
    // The complex-domain detector sees a same-pitch re-attack by its phase, where the level barely moves.
    aubio_->onset = new_aubio_onset("complex", static_cast<uint_t>(window), static_cast<uint_t>(hop), static_cast<uint_t>(rate));
    aubio_->onsetOut = new_fvec(1);
    if (aubio_->pitch) {
        aubio_pitch_set_unit(aubio_->pitch, "Hz");
        aubio_pitch_set_silence(aubio_->pitch, -90);  // quiet frames are judged by their level here
    }
}

PitchTracker::~PitchTracker() = default;

std::vector<PitchFrame> PitchTracker::feed(std::span<const float> samples) {
    std::vector<PitchFrame> frames;
    pending_.insert(pending_.end(), samples.begin(), samples.end());
    size_t used = 0;
    for (; aubio_->pitch && aubio_->onset && pending_.size() - used >= static_cast<size_t>(hop_); used += static_cast<size_t>(hop_)) {
        double energy = 0;
        for (int i = 0; i < hop_; ++i) {
            const float sample = pending_[used + static_cast<size_t>(i)];
            aubio_->in->data[i] = sample;
            energy += double{sample} * sample;
        }
        aubio_pitch_do(aubio_->pitch, aubio_->in, aubio_->out);
        aubio_onset_do(aubio_->onset, aubio_->in, aubio_->onsetOut);
        PitchFrame frame;
        frame.seconds = static_cast<double>(hops_++) * hop_ / rate_;
        frame.level = std::sqrt(energy / hop_);
        frame.confidence = aubio_pitch_get_confidence(aubio_->pitch);
        frame.onset = aubio_->onsetOut->data[0] > 0;
        const double hertz = aubio_->out->data[0];
        if (frame.level >= kSilence && frame.confidence >= kLeastConfidence && hertz > 0) frame.hertz = hertz;
        frames.push_back(frame);
    }
    pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(used));
    return frames;
}

double centsFromA4(double hertz, double reference) { return 1200.0 * std::log2(hertz / reference); }

int nearestKey(double hertz, double reference) { return 69 + static_cast<int>(std::lround(centsFromA4(hertz, reference) / 100.0)); }

}  // namespace shinofu::audio
