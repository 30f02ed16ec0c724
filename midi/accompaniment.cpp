#include "midi/accompaniment.h"

#include <algorithm>
#include <cmath>

namespace shinofu::midi {
namespace {

constexpr double kLeastSpeed = 0.4, kMostSpeed = 2.5;  // a player's pace is somewhere between
constexpr double kPull = 0.5;       // of the gap closed in a beat: more sways round the player
constexpr double kMostPull = 0.25;  // the catching up changes the pace by at most a quarter

}  // namespace

std::shared_ptr<PerfList> accompanimentOf(const PerfList& list, int part, Accompaniment kind) {
    std::vector<SoundSnapshot> sounds = list.sounds();
    std::vector<PerfEvent> events;
    for (const PerfEvent& event : list.events()) {
        // The part's end marker stays: it carries the performance's end.
        if (kind == Accompaniment::OtherParts && event.part == part && !list.sound(event).isEndMarker()) continue;
        events.push_back(event);
    }
    if (kind == Accompaniment::AllPartsSoftly) {
        for (SoundSnapshot& sound : sounds) sound.velocity = std::max(1, sound.velocity / 2);
    }
    return std::make_shared<PerfList>(std::move(sounds), std::move(events));
}

double followingSpeed(double playerPace, double scorePace, double accompanimentAt, double playerAt, int beatUnits) {
    if (!(playerPace > 0) || !(scorePace > 0) || beatUnits <= 0) return 1;
    // Ahead of the player it slows, behind it hurries.
    const double pull = std::clamp(kPull * (accompanimentAt - playerAt) / beatUnits, -kMostPull, kMostPull);
    return std::clamp(playerPace / scorePace * (1 + pull), kLeastSpeed, kMostSpeed);
}

}  // namespace shinofu::midi
