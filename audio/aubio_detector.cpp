// The frame detector on aubio: fast YIN for the pitch (on pure tones 0.1 cent off at full confidence,
// where its YIN-FFT reported no confidence) and the complex-domain onset detector, which sees a
// same-pitch re-attack by its phase where the level barely moves, on whitened spectra and on plain ones.
#include <aubio/aubio.h>

#include <algorithm>
#include <future>

#include "audio/frame_detector.h"

namespace shinofu::audio {
namespace {

// One of aubio's onset detectors over a stream of hops, with buffers of its own so that it can run
// beside the others.
class OnsetStream {
public:
    OnsetStream(int rate, int window, int hop)
        : onset_(new_aubio_onset("complex", unsigned(window), unsigned(hop), unsigned(rate))), in_(new_fvec(unsigned(hop))),
          out_(new_fvec(1)), hop_(hop) {
        // Onsets half as strong as aubio's default are heard: a same-pitch re-attack under a long
        // release is faint, and the hearing asks a swell of the level too before it splits a note.
        if (onset_) aubio_onset_set_threshold(onset_, 0.08f);
    }
    ~OnsetStream() {
        if (onset_) del_aubio_onset(onset_);
        del_fvec(in_);
        del_fvec(out_);
    }
    OnsetStream(const OnsetStream&) = delete;
    OnsetStream& operator=(const OnsetStream&) = delete;

    bool ready() const { return onset_ != nullptr; }
    // Spectra as they are: aubio whitens them and compresses their magnitudes for this detector,
    // which hears faint attacks but drowns in broadband noise.
    void takePlainSpectra() {
        aubio_onset_set_awhitening(onset_, 0);
        aubio_onset_set_compression(onset_, 0);
        // Hiss that drowned the whitened onsets still flattens these: a quarter of the threshold
        // hears the attacks (0.01 to 0.03 heard the same under noise at 20 dB).
        aubio_onset_set_threshold(onset_, 0.02f);
    }

    void find(const float* samples, int hops, FrameDetector::Hop* out, bool FrameDetector::Hop::*onset,
              double FrameDetector::Hop::*attackSeconds) {
        for (int h = 0; h < hops; ++h) {
            std::copy_n(samples + std::ptrdiff_t{h} * hop_, hop_, in_->data);
            aubio_onset_do(onset_, in_, out_);
            out[h].*onset = out_->data[0] > 0;
            // aubio reports an onset a few hops after it; its time is given back without that delay.
            out[h].*attackSeconds = out[h].*onset ? aubio_onset_get_last_s(onset_) : -1.0;
        }
    }

private:
    aubio_onset_t* onset_;
    fvec_t* in_;
    fvec_t* out_;
    int hop_;
};

class AubioDetector final : public FrameDetector {
public:
    AubioDetector(int rate, int window, int hop)
        : pitch_(new_aubio_pitch("yinfast", unsigned(window), unsigned(hop), unsigned(rate))),
          onsets_(rate, window, hop),
          plainOnsets_(rate, window, hop),
          in_(new_fvec(unsigned(hop))),
          pitchOut_(new_fvec(1)),
          hop_(hop) {
        if (plainOnsets_.ready()) plainOnsets_.takePlainSpectra();
        if (pitch_) {
            aubio_pitch_set_unit(pitch_, "Hz");
            aubio_pitch_set_silence(pitch_, -90);  // quiet frames are judged by their level by the tracker
        }
    }
    ~AubioDetector() override {
        if (pitch_) del_aubio_pitch(pitch_);
        del_fvec(in_);
        del_fvec(pitchOut_);
    }
    AubioDetector(const AubioDetector&) = delete;
    AubioDetector& operator=(const AubioDetector&) = delete;

    bool ready() const { return pitch_ && onsets_.ready() && plainOnsets_.ready(); }

    void detect(const float* samples, int hops, Hop* out) override {
        // The pitch and the two kinds of onsets are independent: a long stretch (a file's block) has
        // them found side by side; a few hops (live input) are not worth a thread.
        auto onsets = [&] { onsets_.find(samples, hops, out, &Hop::onset, &Hop::attackSeconds); };
        auto plainOnsets = [&] { plainOnsets_.find(samples, hops, out, &Hop::plainOnset, &Hop::plainAttackSeconds); };
        std::future<void> onsetsFound, plainOnsetsFound;
        if (hops >= kHopsWorthAThread) {
            onsetsFound = std::async(std::launch::async, onsets);
            plainOnsetsFound = std::async(std::launch::async, plainOnsets);
        } else {
            onsets();
            plainOnsets();
        }
        for (int h = 0; h < hops; ++h) {
            std::copy_n(samples + std::ptrdiff_t{h} * hop_, hop_, in_->data);
            aubio_pitch_do(pitch_, in_, pitchOut_);
            out[h].hertz = pitchOut_->data[0];
            out[h].confidence = aubio_pitch_get_confidence(pitch_);
        }
        if (onsetsFound.valid()) onsetsFound.get();
        if (plainOnsetsFound.valid()) plainOnsetsFound.get();
    }

private:
    static constexpr int kHopsWorthAThread = 16;
    aubio_pitch_t* pitch_;
    OnsetStream onsets_;
    OnsetStream plainOnsets_;
    fvec_t* in_;
    fvec_t* pitchOut_;
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
