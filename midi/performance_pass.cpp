#include "midi/performance_pass.h"

#include <algorithm>
#include <vector>

#include "model/accidental_carry.h"
#include "model/measure_spelling.h"
#include "numeric/fingering.h"

namespace shinofu::midi {
int midiNoteOf(const model::TNote& note, int keySig) {
    return numeric::semitoneOf(false, note.pitch, note.effAccidental, keySig) + numeric::kMidiKeyOffset;
}

int performancePass(model::Score& score) {
    const int measureLen = score.measureLen();
    int length = 0;
    for (int part = 1; part <= score.partCount; ++part) {
        // Each part starts with a clean table: accidentals never carry from one part to another.
        model::AccidentalCarry carry;
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
                note.tiedOn = model::continuesTie(note);
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
            for (const model::TNote* next = note.next; next && !next->isEndMarker() && model::continuesTie(*next);
                 next = next->next) {
                note.soundLen += next->len;
                if (next->tie == model::kRoleEnd) break;
            }
        });
    }
    return length;
}

}  // namespace shinofu::midi
