#include "model/accidental_carry.h"

#include <algorithm>

#include "model/pitch.h"

namespace shinofu::model {
namespace {

constexpr int kOctave = 7;             // staff positions per octave
constexpr int kHighestCarriedUp = 22;  // "c2": octave-up entries are added below it

}  // namespace

void AccidentalCarry::write(uint8_t pitch, uint8_t accidental) {
    set(pitch, accidental, true);
    // The octave above gains an entry only below "c2", as stored scores have always sounded
    // and been fingered; an entry already there takes the new accidental.
    set(pitch + kOctave, accidental, pitch + kOctave < kHighestCarriedUp);
    set(pitch - kOctave, accidental, true);
}

uint8_t AccidentalCarry::carried(uint8_t pitch) const {
    for (const Entry& e : entries_) {
        if (e.pitch == pitch) return e.accidental;
    }
    return kNoAccidental;
}

void AccidentalCarry::set(int position, uint8_t accidental, bool mayAdd) {
    if (!isStaffPitch(static_cast<uint8_t>(position))) return;
    auto found = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.pitch == position; });
    if (found != entries_.end()) {
        found->accidental = accidental;
    } else if (mayAdd && entries_.size() < kCarryTableSize) {
        entries_.push_back({static_cast<uint8_t>(position), accidental});
    }
}

}  // namespace shinofu::model
