// The frame detector on aubio: fast YIN for the pitch (on pure tones 0.1 cent off at full confidence,
// where its YIN-FFT reported no confidence) and the complex-domain onset detector, which sees a
// same-pitch re-attack by its phase where the level barely moves.
#include <aubio/aubio.h>

#include <algorithm>
#include <future>

#include "audio/frame_detector.h"

namespace shinofu::audio {
namespace {

class AubioDetector final : public FrameDetector {
public:
    AubioDetector(int rate, int window, int hop)
        : pitch_(new_aubio_pitch("yinfast", unsigned(window), unsigned(hop), unsigned(rate))),
          onset_(new_aubio_onset("complex", unsigned(window), unsigned(hop), unsigned(rate))),
          in_(new_fvec(unsigned(hop))),
          onsetIn_(new_fvec(unsigned(hop))),
          pitchOut_(new_fvec(1)),
          onsetOut_(new_fvec(1)),
          hop_(hop) {
        // Onsets half as strong as aubio's default are heard: a same-pitch re-attack under a long
        // release is faint, and the hearing asks a swell of the level too before it splits a note.
        if (onset_) aubio_onset_set_threshold(onset_, 0.08f);
        if (pitch_) {
            aubio_pitch_set_unit(pitch_, "Hz");
            aubio_pitch_set_silence(pitch_, -90);  // quiet frames are judged by their level by the tracker
        }
    }
    ~AubioDetector() override {
        if (pitch_) del_aubio_pitch(pitch_);
        if (onset_) del_aubio_onset(onset_);
        del_fvec(in_);
        del_fvec(onsetIn_);
        del_fvec(pitchOut_);
        del_fvec(onsetOut_);
    }
    AubioDetector(const AubioDetector&) = delete;
    AubioDetector& operator=(const AubioDetector&) = delete;

    bool ready() const { return pitch_ && onset_; }

    void detect(const float* samples, int hops, Hop* out) override {
        // The pitch and the onsets are independent: a long stretch (a file's block) has them found side
        // by side; a few hops (live input) are not worth a thread.
        auto onsets = [&] {
            for (int h = 0; h < hops; ++h) {
                std::copy_n(samples + std::ptrdiff_t{h} * hop_, hop_, onsetIn_->data);
                aubio_onset_do(onset_, onsetIn_, onsetOut_);
                out[h].onset = onsetOut_->data[0] > 0;
                // aubio reports an onset a few hops after it; its time is given back without that delay.
                out[h].attackSeconds = out[h].onset ? aubio_onset_get_last_s(onset_) : -1.0;
            }
        };
        std::future<void> onsetsFound;
        if (hops >= kHopsWorthAThread) {
            onsetsFound = std::async(std::launch::async, onsets);
        } else {
            onsets();
        }
        for (int h = 0; h < hops; ++h) {
            std::copy_n(samples + std::ptrdiff_t{h} * hop_, hop_, in_->data);
            aubio_pitch_do(pitch_, in_, pitchOut_);
            out[h].hertz = pitchOut_->data[0];
            out[h].confidence = aubio_pitch_get_confidence(pitch_);
        }
        if (onsetsFound.valid()) onsetsFound.get();
    }

private:
    aubio_pitch_t* pitch_;
    aubio_onset_t* onset_;
    static constexpr int kHopsWorthAThread = 16;
    fvec_t* in_;
    fvec_t* onsetIn_;
    fvec_t* pitchOut_;
    fvec_t* onsetOut_;
    int hop_;
};

}  // namespace
}  // namespace shinofu::audio

extern "C" __attribute__((visibility("default"))) shinofu::audio::FrameDetector* shinofu_new_frame_detector(int interface, int rate,
                                                                                                          int window, int hop) {
    if (interface != shinofu::audio::FrameDetector::kInterface) return nullptr;
    auto* detector = new shinofu::audio::AubioDetector(rate, window, hop);
    if (detector->ready()) return detector;
    delete detector;
    return nullptr;
}
