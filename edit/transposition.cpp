#include "edit/transposition.h"

#include <algorithm>
#include <array>

#include "edit/measure_commands.h"
#include "edit/selection.h"
#include "model/key_signature.h"

namespace shinofu::edit {
namespace {

constexpr std::array<int, model::kKeyCount> kTonicClass = {0, 7, 2, 9, 4, 11, 6, 1, 5, 10, 3, 8, 1, 6, 11};
constexpr std::array<int, 12> kKeyOfTonic = {0, 12, 2, 10, 4, 8, 6, 1, 11, 3, 9, 5};
constexpr int kHighestChromatic = 60;
constexpr int kOctaveSteps = 7;

int mod12(int value) { return ((value % 12) + 12) % 12; }

// Inner and last members of a group take the stem of the note before them; others by their pitch.
void setStem(model::TNote& note) {
    const auto member = [](uint8_t role) {
        return role == model::kRoleMiddle || role == model::kRoleEnd || role == model::kRoleEndAndStart;
    };
    if (note.prev && (member(note.beam) || member(note.tie) || member(note.slur))) {
        note.stemUp = note.prev->stemUp;
    } else {
        note.stemUp = stemFromPitch(note.pitch);
    }
}

}  // namespace

int transposedKey(int keySig, int steps) {
    const int key = std::clamp(keySig, 0, model::kKeyCount - 1);
    return kKeyOfTonic[mod12(kTonicClass[key] + steps)];
}

void setKeySignature(model::Score& score, int keySig) { score.song.keySig = static_cast<uint8_t>(std::clamp(keySig, 0, 14)); }

bool transpose(model::Score& score, int steps) {
    if (steps == 0 || steps < -7 || steps > 7) return false;
    const int oldKey = score.song.keySig;
    const int newKey = transposedKey(oldKey, steps);
    score.song.keySig = static_cast<uint8_t>(newKey);
    for (int part = 1; part <= score.partCount; ++part) {
        for (model::TNote* note = score.part(part).partHead; note && !note->isEndMarker(); note = note->next) {
            note->next->prev = note;
            if (!model::isStaffPitch(note->pitch)) continue;
            const int chromatic = std::clamp(chromaticOf(note->pitch, note->effAccidental, oldKey) + steps, 1, kHighestChromatic);
            const WrittenNote written = writtenForm(chromatic, newKey);
            note->pitch = written.pitch;
            note->accidental = written.accidental;
            note->effAccidental = written.accidental;
            note->semitone = model::semitoneOfPitch(note->pitch, newKey);
            setStem(*note);
        }
    }
    return true;
}

bool shiftPartOctave(model::Score& score, int part, bool up) {
    bool moved = false;
    for (model::TNote* note = score.part(part).partHead; note && !note->isEndMarker(); note = note->next) {
        if (!model::isStaffPitch(note->pitch)) continue;
        const int pitch = note->pitch + (up ? kOctaveSteps : -kOctaveSteps);
        if (pitch < model::kLowestPitch || pitch > model::kHighestPitch) continue;
        note->pitch = static_cast<uint8_t>(pitch);
        setStem(*note);
        moved = true;
    }
    return moved;
}

bool shiftMeasuresOctave(EditTarget& target, bool up) {
    model::TNote* start = locateMeasure(target);
    const std::optional<MeasureSelection> selection = measureSelection(target);
    if (!start || !selection || start->isEndMarker()) return false;
    const MeasureRange range = measureRange(start, selection->count, target.score.measureLen());
    bool moved = false;
    for (model::TNote* note = start;; note = note->next) {
        const int pitch = note->pitch + (up ? kOctaveSteps : -kOctaveSteps);
        if (model::isStaffPitch(note->pitch) && pitch >= model::kLowestPitch && pitch <= model::kHighestPitch) {
            note->pitch = static_cast<uint8_t>(pitch);
            setStem(*note);
            moved = true;
        }
        if (note == range.last) break;
    }
    return moved;
}

}  // namespace shinofu::edit
