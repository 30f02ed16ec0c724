#include "edit/note_division.h"

#include <utility>

#include "edit/selection.h"

namespace shinofu::edit {
namespace {

// The second half continues every group the note was in; a group that ended at the note now ends at the half.
void splitRole(uint8_t& first, uint8_t& second) {
    switch (first) {
    case model::kRoleStart:
    case model::kRoleMiddle:
    case model::kRoleEndAndStart: second = model::kRoleMiddle; break;
    case model::kRoleEnd:
        second = model::kRoleEnd;
        first = model::kRoleMiddle;
        break;
    default: second = model::kNoRole; break;
    }
}

}  // namespace

std::optional<DividedLength> dividedLength(int len) {
    switch (len) {
    case 6: return DividedLength{3, 3};
    case 12: return DividedLength{6, 6};
    case 18: return DividedLength{12, 6};
    case 24: return DividedLength{12, 12};
    case 36: return DividedLength{24, 12};
    case 48: return DividedLength{24, 24};
    default: break;
    }
    if (len < 2) return std::nullopt;
    if (len % 2 == 0) return DividedLength{len / 2, len / 2};
    // A dotted length: its plain part and the dot.
    if (len % 3 == 0) return DividedLength{len * 2 / 3, len / 3};
    return DividedLength{len - len / 2, len / 2};
}

bool divideNote(model::Score& score, EditState& state) {
    model::TNote* note = state.curNote;
    if (!note || note->isEndMarker()) return false;
    const std::optional<DividedLength> lengths = dividedLength(note->len);
    if (!lengths) return false;
    note->selected = false;
    model::TNote* half = score.allocateNote();
    half->accidental = note->accidental;
    half->effAccidental = note->effAccidental;
    half->stemUp = note->stemUp;
    half->pitch = note->pitch;
    half->semitone = note->semitone;
    half->velocity = note->velocity;
    splitRole(note->beam, half->beam);
    splitRole(note->tie, half->tie);
    splitRole(note->slur, half->slur);
    // A sign closing the measure belongs at the end of what the note sounds: with the second half.
    half->closingMark = std::exchange(note->closingMark, 0);
    note->len = lengths->first;
    half->len = lengths->second;
    note->playTime = model::playTimeFor(note->len, score.song.msPerUnit);
    half->playTime = model::playTimeFor(half->len, score.song.msPerUnit);
    half->prev = note;
    half->next = note->next;
    note->next->prev = half;
    note->next = half;
    return true;
}

}  // namespace shinofu::edit
