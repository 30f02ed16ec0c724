// The pitch of a monophonic sound frame by frame, with its confidence, level and attacks, for the
// tuner and the transcription alike.
#pragma once

#include <memory>
#include <span>
#include <string>
#include <vector>

#include "audio/frame_detector.h"

namespace shinofu::audio {

struct PitchFrame {
    double seconds = 0;     // the middle of the sound the frame heard (its window, ending with its hop)
    double hertz = 0;       // 0: no pitch (silence, noise)
    double confidence = 0;  // 0..1
    double level = 0;       // RMS of the hop, 0..1
    bool onset = false;     // a note's attack was heard in this hop
    double attack = -1;     // with an onset: the seconds its attack began, a few hops earlier
    bool plainOnset = false;  // the same from the plain spectra, which broadband noise does not drown
    double plainAttack = -1;
    double keyPhase = 0;    // with a pitch: radians, the phase of the sound at its nearest key's pitch
                            // (A4 = 440 Hz) reckoned from the stream's start; a tone struck anew jumps
};

class PitchTracker {
public:
    // window and hop in samples; 1024 at 44.1 kHz holds ten periods of the lowest flute note.
    PitchTracker(int rate, int window = 1024, int hop = 256);
    ~PitchTracker();
    PitchTracker(const PitchTracker&) = delete;
    PitchTracker& operator=(const PitchTracker&) = delete;

    // False, with the reason in error(), when the detector could not be made: feed gives no frames.
    bool ready() const { return detector_ != nullptr; }
    const std::string& error() const { return error_; }

    // Feeds samples in any amounts; each complete hop gives one frame.
    std::vector<PitchFrame> feed(std::span<const float> samples);
    int rate() const { return rate_; }
    int hop() const { return hop_; }

    // Below this confidence, or this quiet, a frame holds no pitch.
    static constexpr double kLeastConfidence = 0.8;
    static constexpr double kSilence = 1e-3;

private:
    std::string error_;
    std::unique_ptr<FrameDetector> detector_;
    int rate_;
    int hop_;
    int window_;
    std::vector<float> pending_;
    std::vector<float> recent_;  // the last window of samples, oldest first
    std::vector<double> hann_;
    long hops_ = 0;

    double phaseAt(double hertz) const;
};

// Cents from a reference pitch (A4 = reference Hz) to the frequency, the nearest MIDI key, and a
// key's own frequency.
double centsFromA4(double hertz, double reference = 440.0);
int nearestKey(double hertz, double reference = 440.0);
double keyHertz(int key, double reference = 440.0);

}  // namespace shinofu::audio
