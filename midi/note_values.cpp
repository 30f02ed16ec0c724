#include "midi/note_values.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace shinofu::midi {

model::TNote* insertNoteBefore(model::Score& score, int part, model::TNote& at) {
    model::TNote* fresh = score.allocateNote();
    fresh->prev = at.prev;
    fresh->next = &at;
    if (at.prev) {
        at.prev->next = fresh;
    } else {
        score.part(part).partHead = fresh;
    }
    at.prev = fresh;
    return fresh;
}

namespace {

model::TNote* insertAfter(model::Score& score, model::TNote& at) {
    model::TNote* fresh = score.allocateNote();
    fresh->prev = &at;
    fresh->next = at.next;
    at.next->prev = fresh;
    at.next = fresh;
    return fresh;
}

void copySound(model::Score& score, const model::TNote& from, model::TNote& to, int len) {
    to.pitch = from.pitch;
    to.accidental = from.accidental;
    to.semitone = from.semitone;
    to.midiNote = from.midiNote;
    to.stemUp = from.stemUp;
    to.len = len;
    to.playTime = model::playTimeFor(len, score.song.msPerUnit);
}

void setLength(model::Score& score, model::TNote& note, int len) {
    note.len = len;
    note.playTime = model::playTimeFor(len, score.song.msPerUnit);
}

bool arrives(uint8_t role) { return role == model::kRoleEnd || role == model::kRoleMiddle || role == model::kRoleEndAndStart; }
bool leaves(uint8_t role) { return role == model::kRoleStart || role == model::kRoleMiddle || role == model::kRoleEndAndStart; }

// The record keeps its first `firstLen` units and a new record after it takes the rest: a tie
// joins the pieces, a slur runs over both, the lyric stays where the note begins.
model::TNote* splitNote(model::Score& score, model::TNote& note, int firstLen) {
    model::TNote* second = insertAfter(score, note);
    copySound(score, note, *second, note.len - firstLen);
    setLength(score, note, firstLen);
    if (model::isStaffPitch(note.pitch)) {
        const uint8_t tie = note.tie;
        note.tie = arrives(tie) ? model::kRoleEndAndStart : model::kRoleStart;
        second->tie = leaves(tie) ? model::kRoleEndAndStart : model::kRoleEnd;
    }
    // A slur arriving ends on the second piece, one leaving starts from the first.
    const uint8_t slur = note.slur;
    if (slur != model::kNoRole) {
        note.slur = slur == model::kRoleEndAndStart ? model::kRoleEnd : arrives(slur) ? model::kRoleMiddle : model::kRoleStart;
        second->slur = slur == model::kRoleEndAndStart ? model::kRoleStart : leaves(slur) ? model::kRoleMiddle : model::kRoleEnd;
    }
    return second;
}

// A note over the bar line: the part in this measure stays, the rest follows it tied.
void splitAtBarLines(model::Score& score, int part) {
    const int measureLen = score.measureLen();
    int position = 0;
    for (model::TNote* note = score.part(part).partHead; note && !note->isEndMarker(); note = note->next) {
        while (position + note->len > measureLen) {
            note = splitNote(score, *note, measureLen - position);
            position = 0;
        }
        position = (position + note->len) % measureLen;
    }
}

// Lengths without a single note value: two tied notes of standard values (in sixteenths).
void splitIntoNoteValues(model::Score& score, int part) {
    static const std::pair<int, int> kSplits[] = {{5, 4}, {7, 6}, {9, 8}, {10, 8}, {11, 8}, {13, 12}, {14, 12}, {15, 12}};
    for (model::TNote* note = score.part(part).partHead; note && !note->isEndMarker(); note = note->next) {
        if (note->len % 3 != 0) continue;
        const int sixteenths = note->len / 3;
        const auto split = std::find_if(std::begin(kSplits), std::end(kSplits), [&](auto s) { return s.first == sixteenths; });
        if (split == std::end(kSplits)) continue;
        note = splitNote(score, *note, split->second * 3);
    }
}

bool tripletLength(int len) { return len == 2 || len == 4 || len == 8 || len == 16; }

// Runs of triplet values in threes; a value and its double make a group with the long one halved.
void groupTriplets(model::Score& score, int part) {
    int state = 0;
    for (model::TNote* note = score.part(part).partHead; note && note->next && !note->isEndMarker(); note = note->next) {
        if (!tripletLength(note->len)) continue;
        model::TNote* next = note->next;
        if (state == 1) {
            note->triplet = model::kRoleMiddle;
            state = 2;
            continue;
        }
        if (state == 2) {
            note->triplet = model::kRoleEnd;
            state = 0;
            continue;
        }
        auto halve = [&](model::TNote& whole, uint8_t secondRole) {
            model::TNote* half = splitNote(score, whole, whole.len / 2);
            half->triplet = secondRole;
            return half;
        };
        if (next->isEndMarker()) continue;
        if (next->len == note->len && !next->next->isEndMarker() && next->next->len == note->len) {
            note->triplet = model::kRoleStart;
            state = 1;
        } else if (next->len == 2 * note->len) {
            note->triplet = model::kRoleStart;
            next->triplet = model::kRoleMiddle;
            note = halve(*next, model::kRoleEnd);
        } else if (note->len == 2 * next->len) {
            note->triplet = model::kRoleStart;
            halve(*note, model::kRoleMiddle);
            next->triplet = model::kRoleEnd;
            note = next;
        }
    }
}

}  // namespace

void settleNoteValues(model::Score& score, int part) {
    score.recomputePositions();
    splitAtBarLines(score, part);
    splitIntoNoteValues(score, part);
    groupTriplets(score, part);
}

}  // namespace shinofu::midi
