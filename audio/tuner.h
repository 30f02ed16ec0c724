// What a tuner shows of the pitch frames: the note a player holds, its deviation and its fingering,
// steadied so that the needle neither jitters on a held tone nor jumps on breath and silence.
#pragma once

#include <deque>
#include <string>

#include "audio/pitch_tracker.h"

namespace shinofu::audio {

constexpr double kLowestReference = 430;
constexpr double kHighestReference = 450;

struct TunerReading {
    bool heard = false;  // false: nothing to show (silence, breath, a pitch not yet settled)
    double hertz = 0;
    int key = 0;         // the nearest MIDI key at the reference
    double cents = 0;    // from that key, −50..50
};

class Tuner {
public:
    explicit Tuner(double reference = 440);
    // Clamped to 430..450 Hz.
    void setReference(double hertz);
    double reference() const { return reference_; }

    // Takes the next frame; returns what to show now.
    const TunerReading& take(const PitchFrame& frame);
    const TunerReading& reading() const { return reading_; }

private:
    double reference_;
    std::deque<double> voiced_;  // cents from A4 of the latest frames that held one pitch
    int unvoiced_ = 0;           // frames since the last pitched one
    TunerReading reading_;
};

// "A4", "C♯5": the key's name with its octave (middle C is C4).
std::string keyName(int key);

}  // namespace shinofu::audio
