// How a performance is played for practice: a count-in, a metronome click, and a loop of the picked
// measures until stopped.
#pragma once

#include <cstdint>

#include "model/score.h"

namespace shinofu::midi {

constexpr int kClickChannel = 9;     // General MIDI's percussion channel
constexpr int kAccentClickKey = 76;  // high wood block, on each measure's first beat
constexpr int kClickKey = 77;        // low wood block, on the other beats

struct PracticeSettings {
    bool loop = false;
    bool countIn = false;
    bool click = false;
    int clickVolume = 100;  // 1..127

    bool operator==(const PracticeSettings&) const = default;
};

// The settings laid on a performance, in length units from the start of the score.
struct PracticeTiming {
    PracticeSettings settings;
    int32_t beatUnits = 12;     // between clicks
    int32_t measureUnits = 48;  // the count-in, and between accents
    int32_t pieceEnd = INT32_MAX;  // the clicks stop at the last note's end
    int32_t loopEnd = -1;       // with a loop: where it goes back to the start; -1 at the end of the piece
};

// The beat a metronome counts in the score's meter: the quarter, the dotted quarter of 6/8, the eighth of 3/8.
PracticeTiming practiceTiming(const model::Score& score, const PracticeSettings& settings);

}  // namespace shinofu::midi
