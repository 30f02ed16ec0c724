#include "edit/note_records.h"

#include "model/key_signature.h"

namespace shinofu::edit {

void setLength(model::Score& score, model::TNote& note, int len) {
    note.len = len;
    note.playTime = model::playTimeFor(len, score.song.msPerUnit);
}

void setPitch(model::Score& score, model::TNote& note, uint8_t pitch) {
    note.pitch = pitch;
    if (model::isStaffPitch(pitch)) note.semitone = model::semitoneOfPitch(pitch, score.song.keySig);
}

model::TNote* linkAfter(model::Score& score, model::TNote& at) {
    model::TNote* fresh = score.allocateNote();
    fresh->prev = &at;
    fresh->next = at.next;
    if (at.next) at.next->prev = fresh;
    at.next = fresh;
    return fresh;
}

}  // namespace shinofu::edit
