#include "model/note_pool.h"

namespace shinofu::model {

TNote* NotePool::allocate(double msPerUnit) {
    TNote& note = records_.emplace_back();
    initNote(note, msPerUnit);
    return &note;
}

}  // namespace shinofu::model
