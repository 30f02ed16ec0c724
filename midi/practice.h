// How a performance is played for practice: a count-in, a metronome click, and a loop of the picked
// measures until stopped.
#pragma once

namespace shinofu::midi {

constexpr int kClickChannel = 9;  // General MIDI's percussion channel

struct PracticeSettings {
    bool loop = false;
    bool countIn = false;
    bool click = false;
    int clickVolume = 100;  // 1..127

    bool operator==(const PracticeSettings&) const = default;
};

}  // namespace shinofu::midi
