#include "midi/performance_pass.h"

#include <algorithm>
#include <vector>

#include "numeric/fingering.h"

namespace shinofu::midi {
namespace {

constexpr int kMidiOffset = 35;  // "c1" (chromatic number 25) is MIDI note 60
constexpr int kOctave = 7;       // staff positions per octave
constexpr int kHighestCarriedUp = 22;  // "c2": octave-up entries are added below it

// Accidentals written earlier in the measure, by staff position; they carry to later notes on the
// same position and an octave away until the bar line.
class CarryTable {
public:
    void write(uint8_t pitch, uint8_t accidental) {
        set(pitch, accidental, true);
        // The octave above gains an entry only below "c2", as stored scores have always sounded
        // and been fingered; an entry already there takes the new accidental.
        set(pitch + kOctave, accidental, pitch + kOctave < kHighestCarriedUp);
        set(pitch - kOctave, accidental, true);
    }
    uint8_t carried(uint8_t pitch) const {
        for (const Entry& e : entries_) {
            if (e.pitch == pitch) return e.accidental;
        }
        return model::kNoAccidental;
    }
    bool empty() const { return entries_.empty(); }
    void clear() { entries_.clear(); }

private:
    void set(int position, uint8_t accidental, bool mayAdd) {
        if (!model::isStaffPitch(static_cast<uint8_t>(position))) return;
        auto found = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.pitch == position; });
        if (found != entries_.end()) {
            found->accidental = accidental;
        } else if (mayAdd && entries_.size() < kCarryTableSize) {
            entries_.push_back({static_cast<uint8_t>(position), accidental});
        }
    }

    struct Entry {
        uint8_t pitch;
        uint8_t accidental;
    };
    std::vector<Entry> entries_;
};

bool continuesTie(const model::TNote& note) {
    return note.tie == model::kRoleMiddle || note.tie == model::kRoleEnd || note.tie == model::kRoleEndAndStart;
}

}  // namespace

int midiNoteOf(const model::TNote& note, int keySig) {
    return numeric::semitoneOf(false, note.pitch, note.effAccidental, keySig) + kMidiOffset;
}

int performancePass(model::Score& score) {
    const int measureLen = score.measureLen();
    int length = 0;
    for (int part = 1; part <= score.partCount; ++part) {
        // Each part starts with a clean table: accidentals never carry from one part to another.
        CarryTable carry;
        int total = 0;
        model::forEachNote(score.part(part).partHead, [&](model::TNote& note) {
            if (note.accidental != model::kNoAccidental) {
                note.effAccidental = note.accidental;
                carry.write(note.pitch, note.accidental);
            } else {
                note.effAccidental = carry.carried(note.pitch);
            }
            if (note.pitch > model::kRest && note.pitch < model::kFirstMarkerCode) {
                note.silent = false;
                note.tiedOn = continuesTie(note);
                if (note.tiedOn) {
                    note.midiNote = -1;
                } else {
                    note.midiNote = midiNoteOf(note, score.song.keySig);
                    note.soundLen = note.len;
                }
            } else {
                note.silent = true;
                note.midiNote = -1;
            }
            total += note.len;
            // One unit of tolerance lets tuplet measures reset the table.
            if (total % measureLen < 2 && !carry.empty()) carry.clear();
        });
        length = std::max(length, total);
        model::forEachNote(score.part(part).partHead, [](model::TNote& note) {
            if (note.tie != model::kRoleStart) return;
            for (const model::TNote* next = note.next; next && !next->isEndMarker() && continuesTie(*next);
                 next = next->next) {
                note.soundLen += next->len;
                if (next->tie == model::kRoleEnd) break;
            }
        });
    }
    return length;
}

}  // namespace shinofu::midi
