#include "edit/selection.h"

namespace shinofu::edit {
namespace {

constexpr uint8_t kHighestStemUpPitch = 20;  // a1

}  // namespace

void markChanged(model::Score& score) {
    score.saved = false;
    ++score.revision;
}

void clearSelection(model::Score& score, EditState& state) {
    model::walkToEndOfCurrentPart(score);
    state.curNote = nullptr;
    state.editMeasureNote = nullptr;
}

std::vector<model::TNote*> selectedNotes(model::Score& score) {
    std::vector<model::TNote*> notes;
    model::forEachNote(score.part(score.curPart).partHead, [&](model::TNote& note) {
        if (note.selected) notes.push_back(&note);
    });
    return notes;
}

bool nothingPicked(model::Score& score, const EditState& state) {
    return !state.curNote && selectedNotes(score).empty();
}

bool stemFromPitch(uint8_t pitch) { return pitch <= kHighestStemUpPitch; }

}  // namespace shinofu::edit
