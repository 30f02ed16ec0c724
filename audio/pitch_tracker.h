// The pitch of a monophonic sound frame by frame: aubio's fast YIN with its confidence, for the
// tuner and the transcription alike.
#pragma once

#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace shinofu::audio {

struct PitchFrame {
    double seconds = 0;     // where the frame's hop begins
    double hertz = 0;       // 0: no pitch (silence, noise)
    double confidence = 0;  // 0..1
    double level = 0;       // RMS of the hop, 0..1
    bool onset = false;     // a note's attack begins in this hop (aubio's onset detection)
};

class PitchTracker {
public:
    // window and hop in samples; 1024 at 44.1 kHz holds ten periods of the lowest flute note.
    PitchTracker(int rate, int window = 1024, int hop = 256);
    ~PitchTracker();
    PitchTracker(const PitchTracker&) = delete;
    PitchTracker& operator=(const PitchTracker&) = delete;

    // Feeds samples in any amounts; each complete hop gives one frame.
    std::vector<PitchFrame> feed(std::span<const float> samples);
    int rate() const { return rate_; }
    int hop() const { return hop_; }

    // Below this confidence, or this quiet, a frame holds no pitch.
    static constexpr double kLeastConfidence = 0.8;
    static constexpr double kSilence = 1e-3;

private:
    struct Aubio;
    std::unique_ptr<Aubio> aubio_;
    int rate_;
    int hop_;
    std::vector<float> pending_;
    long hops_ = 0;
};

// Cents from a reference pitch (A4 = reference Hz) to the frequency, and the nearest MIDI key.
double centsFromA4(double hertz, double reference = 440.0);
int nearestKey(double hertz, double reference = 440.0);

}  // namespace shinofu::audio
