#include "edit/transposition.h"

#include <algorithm>
#include <array>
#include <unordered_set>

#include "edit/measure_commands.h"
#include "edit/selection.h"
#include "model/key_signature.h"
#include "model/measure_spelling.h"

namespace shinofu::edit {
namespace {

constexpr std::array<int, model::kKeyCount> kTonicClass = {0, 7, 2, 9, 4, 11, 6, 1, 5, 10, 3, 8, 1, 6, 11};
constexpr std::array<int, 12> kKeyOfTonic = {0, 12, 2, 10, 4, 8, 6, 1, 11, 3, 9, 5};
constexpr int kHighestChromatic = 60;
constexpr int kOctaveSteps = 7;
constexpr int kOctaveSemitones = 12;

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
    for (int part = 1; part <= score.partCount; ++part) {
        // What each note sounds is read in the old key, with the old measure's carry.
        const std::vector<int> sounding = model::soundingChromatics(score, part);
        model::MeasureSpelling spelling(newKey, score.measureLen());
        size_t index = 0;
        for (model::TNote* note = score.part(part).partHead; note && !note->isEndMarker(); note = note->next, ++index) {
            note->next->prev = note;
            if (sounding[index] != 0) {
                const WrittenNote written = spelling.spell(std::clamp(sounding[index] + steps, 1, kHighestChromatic));
                note->pitch = written.pitch;
                note->accidental = written.accidental;
                note->effAccidental = written.accidental;
                note->semitone = model::semitoneOfPitch(note->pitch, newKey);
                setStem(*note);
            }
            spelling.advance(note->len);
        }
    }
    score.song.keySig = static_cast<uint8_t>(newKey);
    return true;
}

std::vector<model::TNote*> shiftNotesOctave(model::Score& score, int part, const std::function<bool(const model::TNote&)>& chosen,
                                            bool up) {
    const std::vector<int> sounding = model::soundingChromatics(score, part);
    model::MeasureSpelling spelling(score.song.keySig, score.measureLen());
    std::vector<model::TNote*> moved;
    size_t index = 0;
    for (model::TNote* note = score.part(part).partHead; note && !note->isEndMarker(); note = note->next, ++index) {
        if (sounding[index] != 0) {
            int chromatic = sounding[index];
            const int pitch = note->pitch + (up ? kOctaveSteps : -kOctaveSteps);
            if (chosen(*note) && pitch >= model::kLowestPitch && pitch <= model::kHighestPitch) {
                note->pitch = static_cast<uint8_t>(pitch);
                chromatic += up ? kOctaveSemitones : -kOctaveSemitones;
                moved.push_back(note);
            }
            // Moved or not, a note may need another sign now that the carry around it has moved.
            note->accidental = spelling.keep(note->pitch, note->accidental, chromatic).accidental;
        }
        spelling.advance(note->len);
    }
    return moved;
}

bool shiftPartOctave(model::Score& score, int part, bool up) {
    const auto moved = shiftNotesOctave(score, part, [](const model::TNote&) { return true; }, up);
    for (model::TNote* note : moved) setStem(*note);
    return !moved.empty();
}

bool shiftMeasuresOctave(EditTarget& target, bool up) {
    model::TNote* start = locateMeasure(target);
    const std::optional<MeasureSelection> selection = measureSelection(target);
    if (!start || !selection || start->isEndMarker()) return false;
    const MeasureRange range = measureRange(start, selection->count, target.score.measureLen());
    std::unordered_set<const model::TNote*> inRange;
    for (model::TNote* note = start;; note = note->next) {
        inRange.insert(note);
        if (note == range.last) break;
    }
    const auto moved = shiftNotesOctave(target.score, target.score.curPart,
                                        [&](const model::TNote& note) { return inRange.count(&note) > 0; }, up);
    for (model::TNote* note : moved) setStem(*note);
    return !moved.empty();
}

}  // namespace shinofu::edit
