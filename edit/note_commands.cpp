#include "edit/note_commands.h"

#include "edit/beaming.h"
#include "edit/edit_mode.h"
#include "edit/note_records.h"
#include "edit/selection.h"
#include "edit/transposition.h"
#include "model/key_signature.h"

namespace shinofu::edit {
namespace {

constexpr uint8_t kStepUpFromRest = 22;    // c2
constexpr uint8_t kStepDownFromRest = 17;  // e1
constexpr uint8_t kRestToNotePitch = 19;   // g1
constexpr int kOctaveSemitones = 12;
constexpr int kInsertedRestLength = 12;

bool isNote(const model::TNote* note) { return note && !note->isEndMarker(); }

model::TNote* insertedRestAfter(model::Score& score, model::TNote& at) {
    model::TNote* rest = linkAfter(score, at);
    rest->pitch = model::kRest;
    setLength(score, *rest, kInsertedRestLength);
    return rest;
}

// A deleted note's curve roles pass to its neighbours: a start hands over to the next note, an end to the one before.
void repairRole(uint8_t deleted, uint8_t& before, uint8_t& after) {
    if (deleted == model::kRoleStart) after = after == model::kRoleEndAndStart ? model::kRoleStart : model::kNoRole;
    if (deleted == model::kRoleEnd) {
        if (before == model::kRoleStart) before = model::kNoRole;
        if (before == model::kRoleEndAndStart) before = model::kRoleEnd;
    }
}

void forgetRecord(render::ViewState& view, EditState& state, int part, const model::TNote* gone, model::TNote* next) {
    if (view.displayStart[part - 1] == gone) view.displayStart[part - 1] = next;
    if (state.curNote == gone) state.curNote = nullptr;
    if (state.entryTarget == gone) state.entryTarget = nullptr;
    if (state.editMeasureNote == gone) state.editMeasureNote = nullptr;
    if (state.clickMeasNote == gone) state.clickMeasNote = next;
    if (state.curveTarget == gone) state.curveTarget = nullptr;
}

int pageOfPosition(const render::PageTables& tables, int position) {
    for (int page = 1; page < static_cast<int>(tables.pageEnd.size()); ++page) {
        if (position < tables.pageEnd[page]) return page;
    }
    return std::max(1, tables.pageCount);
}

}  // namespace

void startAddMode(model::Score& score, render::ViewState& view, EditState& state, const render::PageTables& tables) {
    model::TNote* end = score.part(score.curPart).partHead;
    int total = 0;
    while (!end->isEndMarker()) {
        end->next->prev = end;
        total += std::max(0, end->len);
        end = end->next;
    }
    state.editMode = kNewMode;
    state.entryTarget = end;
    state.measFill = total % score.measureLen();
    view.curPage = std::min(pageOfPosition(tables, total), std::max(1, tables.pageCount));
}

bool enterPitch(model::Score& score, EditState& state, uint8_t pitch) {
    const int mode = state.editMode;
    model::TNote* target = state.entryTarget;
    if (!target || (mode != kNewMode && mode != kInsertMode && mode != kInsertOnceMode)) return false;
    const bool wasEndMarker = target->isEndMarker();
    if (wasEndMarker && mode != kNewMode) return false;
    setLength(score, *target, state.inputLen);
    target->accidental = model::kNoAccidental;
    setPitch(score, *target, pitch);
    if (mode == kNewMode) {
        target->stemUp = stemFromPitch(pitch);
        if (state.curNote && state.curNote != target) state.curNote->selected = false;
        target->selected = true;
        state.curNote = target;
        // The filled record was the end marker: a new one closes the part.
        state.entryTarget = wasEndMarker ? linkAfter(score, *target) : target->next;
        state.measFill = (state.measFill + target->len) % score.measureLen();
    } else if (mode == kInsertMode) {
        target->stemUp = stemFromPitch(pitch);
        model::TNote* next = insertedRestAfter(score, *target);
        state.curNote = next;
        state.entryTarget = next;
    } else {
        target->stemUp = stemFromPitch(pitch);
        state.entryTarget = nullptr;
        state.editMode = kEditMode;
    }
    return true;
}

bool startInsertAfter(model::Score& score, EditState& state) {
    if (!isNote(state.curNote)) return false;
    state.curNote->selected = false;
    model::TNote* rest = insertedRestAfter(score, *state.curNote);
    state.curNote = rest;
    state.entryTarget = rest;
    state.editMode = kInsertMode;
    return true;
}

bool insertCopy(model::Score& score, render::ViewState& view, EditState& state) {
    model::TNote* at = state.curNote;
    if (!isNote(at)) return false;
    at->selected = false;
    model::TNote* copy = score.allocateNote();
    *copy = *at;
    copy->selected = true;
    copy->next = at;
    copy->prev = at->prev;
    if (at->prev) {
        at->prev->next = copy;
    } else {
        score.part(score.curPart).partHead = copy;
    }
    if (view.displayStart[score.curPart - 1] == at || !at->prev) view.displayStart[score.curPart - 1] = nullptr;
    at->prev = copy;
    state.entryTarget = copy;
    state.editMode = kInsertOnceMode;
    return true;
}

void endEntry(model::Score& score, EditState& state) {
    model::TNote* last = state.curNote;
    if (state.editMode == kInsertMode && isNote(last) && last == state.entryTarget && last->prev) {
        last->prev->next = last->next;
        last->next->prev = last->prev;
    }
    state.entryTarget = nullptr;
    state.selectionHold = false;
    state.qPrefix = false;
    clearSelection(score, state);
    state.editMode = kEditMode;
}

bool deleteNote(model::Score& score, render::ViewState& view, EditState& state) {
    model::TNote* gone = state.curNote;
    if (!isNote(gone)) return false;
    gone->selected = false;
    model::TNote* next = gone->next;
    const int part = score.curPart;
    if (gone->prev) {
        model::TNote* before = gone->prev;
        repairRole(gone->tie, before->tie, next->tie);
        repairRole(gone->slur, before->slur, next->slur);
        before->next = next;
        next->prev = before;
        state.editMode = kEditMode;
    } else {
        score.part(part).partHead = next;
        next->prev = nullptr;
    }
    forgetRecord(view, state, part, gone, next);
    return true;
}

void keepReferencesInList(model::Score& score, EditState& state) {
    bool current = false;
    bool measure = false;
    bool clicked = false;
    bool entry = false;
    for (model::TNote* note = score.part(score.curPart).partHead; note; note = note->next) {
        entry = entry || note == state.entryTarget;
        current = current || note == state.curNote;
        measure = measure || note == state.editMeasureNote;
        clicked = clicked || note == state.clickMeasNote;
    }
    if (!current) state.curNote = nullptr;
    if (!measure) state.editMeasureNote = nullptr;
    if (!clicked) state.clickMeasNote = nullptr;
    if (!entry) state.entryTarget = nullptr;
}

bool insertAndReflow(model::Score& score, render::ViewState& view, EditState& state) {
    model::TNote* measure = state.editMeasureNote;
    if (!insertCopy(score, view, state)) return false;
    // The copy went in front of the measure's first note: the measure now begins with it.
    if (!measure || measure == state.entryTarget->next) measure = state.entryTarget;
    reflowPart(score, measure, state.beamPerBeat);
    keepReferencesInList(score, state);
    return true;
}

bool deleteAndReflow(model::Score& score, render::ViewState& view, EditState& state) {
    model::TNote* gone = state.curNote;
    if (!isNote(gone)) return false;
    const bool last = gone->next->isEndMarker();
    model::TNote* measure = state.editMeasureNote == gone ? gone->next : state.editMeasureNote;
    if (!deleteNote(score, view, state)) return false;
    if (!last) reflowPart(score, measure ? measure : score.part(score.curPart).partHead, state.beamPerBeat);
    keepReferencesInList(score, state);
    return true;
}

bool halveLength(model::Score& score, EditState& state) {
    if (!isNote(state.curNote)) return false;
    const int len = state.curNote->len;
    int halved = len;
    switch (len) {
    case 4: halved = 2; break;
    case 6: halved = 3; break;
    case 8: halved = 4; break;
    case 12: halved = 6; break;
    case 18: halved = 9; break;
    case 24: halved = 12; break;
    case 32: halved = 16; break;
    case 48: halved = 24; break;
    default: break;
    }
    setLength(score, *state.curNote, halved);
    return halved != len;
}

bool doubleLength(model::Score& score, EditState& state) {
    if (!isNote(state.curNote)) return false;
    const int len = state.curNote->len;
    const bool doubles = len == 2 || len == 3 || len == 4 || len == 6 || len == 9 || len == 12 || len == 18 || len == 24;
    setLength(score, *state.curNote, doubles ? 2 * len : len);
    return doubles;
}

bool changeDot(model::Score& score, EditState& state, DotChange change) {
    if (!isNote(state.curNote)) return false;
    const int len = state.curNote->len;
    int changed = len;
    const bool plain = len == 6 || len == 12 || len == 24;
    const bool dotted = len == 9 || len == 18 || len == 36;
    if (plain && change != DotChange::Clear) changed = len * 3 / 2;
    if (dotted && change != DotChange::Set) changed = len * 2 / 3;
    setLength(score, *state.curNote, changed);
    return changed != len;
}

bool stepPitch(model::Score& score, EditState& state, bool up) {
    model::TNote* note = state.curNote;
    if (!isNote(note)) return false;
    uint8_t pitch = note->pitch;
    if (pitch == model::kRest) {
        pitch = up ? kStepUpFromRest : kStepDownFromRest;
    } else if (model::isStaffPitch(pitch)) {
        if (up && pitch < model::kHighestPitch) ++pitch;
        if (!up && pitch > model::kLowestPitch) --pitch;
    }
    if (pitch == note->pitch) return false;
    setPitch(score, *note, pitch);
    return true;
}

bool shiftOctave(model::Score& score, EditState& state, bool up) {
    const auto moved = shiftNotesOctave(score, score.curPart, [](const model::TNote& note) { return note.selected; }, up);
    for (model::TNote* note : moved) {
        note->semitone = static_cast<uint8_t>(note->semitone + (up ? kOctaveSemitones : -kOctaveSemitones));
        if (state.autoStem) note->stemUp = stemFromPitch(note->pitch);
    }
    return !moved.empty();
}

bool setAccidental(model::Score& score, uint8_t accidental) {
    bool changed = false;
    for (model::TNote* note : selectedNotes(score)) {
        changed = changed || note->accidental != accidental;
        note->accidental = accidental;
    }
    return changed;
}

bool flipStems(model::Score& score) {
    const auto notes = selectedNotes(score);
    if (notes.empty()) return false;
    const bool up = !notes.front()->stemUp;
    for (model::TNote* note : notes) note->stemUp = up;
    return true;
}

bool noteToRest(EditState& state) {
    if (!isNote(state.curNote)) return false;
    state.curNote->pitch = model::kRest;
    state.curNote->accidental = model::kNoAccidental;
    return true;
}

bool restToNote(model::Score& score, EditState& state) {
    if (!isNote(state.curNote)) return false;
    setPitch(score, *state.curNote, kRestToNotePitch);
    return true;
}

bool hideRests(model::Score& score) {
    bool changed = false;
    for (model::TNote* note : selectedNotes(score)) {
        if (note->pitch != model::kRest) continue;
        note->pitch = model::kHiddenRest;
        changed = true;
    }
    return changed;
}

bool showHiddenRests(model::Score& score) {
    bool changed = false;
    model::forEachNote(score.part(score.curPart).partHead, [&](model::TNote& note) {
        if (note.pitch != model::kHiddenRest) return;
        note.pitch = model::kRest;
        changed = true;
    });
    return changed;
}

int measureInputLength(const model::Score& score) { return score.measureLen(); }

}  // namespace shinofu::edit
