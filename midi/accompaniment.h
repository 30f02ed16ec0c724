// The accompaniment of a player practising a part: the other parts, or every part softly, kept to
// the player's tempo and place.
#pragma once

#include <memory>

#include "midi/perf_list.h"

namespace shinofu::midi {

enum class Accompaniment { None = 0, OtherParts = 1, AllPartsSoftly = 2 };

// The events of the other parts, or of every part at half their velocity; the jumps are to be linked anew.
std::shared_ptr<PerfList> accompanimentOf(const PerfList& list, int part, Accompaniment kind);

// The playback speed factor (1 as written, 2 twice as slow) that keeps an accompaniment with the
// player: their pace, and a pull towards their place that closes half a gap in a beat.
// Paces in seconds per length unit; places in length units.
double followingSpeed(double playerPace, double scorePace, double accompanimentAt, double playerAt, int beatUnits);

}  // namespace shinofu::midi
