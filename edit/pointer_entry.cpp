#include "edit/pointer_entry.h"

#include <algorithm>
#include <cmath>

#include "edit/beaming.h"
#include "edit/edit_mode.h"
#include "edit/note_records.h"
#include "edit/selection.h"
#include "model/pitch.h"
#include "model/line_fit.h"
#include "render/page_drawer.h"
#include "render/page_geometry.h"

namespace shinofu::edit {
namespace {

bool isNote(const model::TNote* note) { return note && !note->isEndMarker(); }

model::TNote* endMarkerOf(model::Score& score, int part) {
    model::TNote* note = score.part(part).partHead;
    while (note && !note->isEndMarker()) note = note->next;
    return note;
}

void write(model::Score& score, EditState& state, model::TNote& note, int len, const PointerNote& entered,
           uint8_t accidental) {
    setLength(score, note, len);
    setPitch(score, note, entered.pitch);
    note.accidental = accidental;
    note.stemUp = stemFromPitch(entered.pitch);
    if (state.curNote && state.curNote != &note) state.curNote->selected = false;
    note.selected = true;
    state.curNote = &note;
}

// A copy of the note's sound linked after it, holding `tail` units of its length.
model::TNote* splitOff(model::Score& score, model::TNote& note, int tail) {
    model::TNote* copy = linkAfter(score, note);
    copy->pitch = note.pitch;
    copy->semitone = note.semitone;
    copy->accidental = note.accidental;
    copy->effAccidental = note.effAccidental;
    copy->stemUp = note.stemUp;
    copy->velocity = note.velocity;
    setLength(score, *copy, tail);
    setLength(score, note, note.len - tail);
    return copy;
}

// The record at `position` units from the measure's first record, splitting the note under it;
// the end marker when the part ends there; null when the part ends before it.
model::TNote* recordAt(model::Score& score, EditState& state, int position) {
    model::TNote* note = state.clickMeasNote ? state.clickMeasNote : endMarkerOf(score, score.curPart);
    int sum = 0;
    while (note && sum < position) {
        if (note->isEndMarker()) return nullptr;
        const int len = std::max(0, note->len);
        if (sum + len > position) return splitOff(score, *note, sum + len - position);
        sum += len;
        note = note->next;
    }
    return note;
}

void rebeamMeasure(model::Score& score, EditState& state) {
    if (!isNote(state.clickMeasNote)) return;
    clearMeasureBeams(score, state.clickMeasNote);
    beamMeasure(score, state.clickMeasNote, 0, state.beamPerBeat);
}

PointerOutcome add(model::Score& score, EditState& state, const PointerNote& entered, uint8_t accidental) {
    model::TNote* target = state.entryTarget;
    if (!target || !target->isEndMarker()) return PointerOutcome::Ignored;
    const int measureLen = score.measureLen();
    int len = state.inputLen;
    if (state.measFill + len > measureLen) len = measureLen - state.measFill;  // a shortened note fills the measure
    state.measFill = (state.measFill + len) % measureLen;
    write(score, state, *target, len, entered, accidental);
    state.entryTarget = linkAfter(score, *target);
    if (state.measFill != 0) return PointerOutcome::Entered;
    // The measure is complete: its first record is where its lengths add up to a whole measure.
    model::TNote* first = target;
    for (int sum = target->len; sum < measureLen && isNote(first->prev); sum += first->len) first = first->prev;
    beamMeasure(score, first, 0, state.beamPerBeat);
    state.clickMeasNote = state.entryTarget;
    return PointerOutcome::MeasureComplete;
}

PointerOutcome overwrite(model::Score& score, EditState& state, const PointerNote& entered, uint8_t accidental) {
    model::TNote* target = recordAt(score, state, entered.position);
    if (!target) return PointerOutcome::Ended;
    const int wanted = state.inputLen;
    if (target->isEndMarker()) {
        // Just past the part's last note: the entry appends.
        write(score, state, *target, wanted, entered, accidental);
        linkAfter(score, *target);
    } else if (wanted < target->len) {
        splitOff(score, *target, target->len - wanted);
        write(score, state, *target, wanted, entered, accidental);
    } else if (wanted > target->len) {
        // The notes from the target on are consumed until they cover the length; one that
        // overshoots leaves its excess. Where the part ends first, the note takes what it holds.
        model::TNote* last = target;
        int covered = target->len;
        while (covered < wanted && isNote(last->next)) {
            last = last->next;
            covered += std::max(0, last->len);
        }
        if (covered > wanted) splitOff(score, *last, covered - wanted);
        model::TNote* after = last->next;
        target->next = after;
        if (after) after->prev = target;
        write(score, state, *target, std::min(wanted, covered), entered, accidental);
    } else {
        write(score, state, *target, wanted, entered, accidental);
    }
    rebeamMeasure(score, state);
    return PointerOutcome::Entered;
}

PointerOutcome insert(model::Score& score, render::ViewState& view, EditState& state, const PointerNote& entered,
                      uint8_t accidental) {
    model::TNote* target = recordAt(score, state, entered.position);
    if (!target) return PointerOutcome::Ended;
    if (target->isEndMarker()) return PointerOutcome::Ignored;
    model::TNote* fresh = score.allocateNote();
    fresh->next = target;
    fresh->prev = target->prev;
    model::Part& part = score.part(score.curPart);
    if (part.partHead == target) {
        part.partHead = fresh;
        view.displayStart[score.curPart - 1] = fresh;
    } else if (target->prev) {
        target->prev->next = fresh;
    }
    target->prev = fresh;
    if (state.clickMeasNote == target && entered.position == 0) state.clickMeasNote = fresh;
    write(score, state, *fresh, state.inputLen, entered, accidental);
    return PointerOutcome::Entered;
}

}  // namespace

PointerNote pointerNote(const model::Score& score, const render::ViewState& view, const render::PageTables& tables,
                        const render::ScoreHit& hit, bool restChosen) {
    const bool fClef = score.part(score.curPart).fClef;
    const int pitch = fClef ? hit.step - 5 : hit.step + 7;
    render::PageGeometry geometry(score, view, tables);
    if (hit.line >= 1 && hit.line <= tables.systemsPerPage) geometry.selectLine(hit.line);
    const double sixteenth = geometry.sixteenthWidth();
    // The hit's offset counts from the bar line; the grid from the measure's first note, whose
    // grid lines stand 1.2 layout units right of it. Triplet grids step a third of an eighth.
    const bool triplets = view.gridDiv == 3 || view.gridDiv == 6 || view.gridDiv == 12;
    const double fromNote = (hit.offset - 0.5) * sixteenth / 3 - model::kMeasureGap - render::kGridLead;
    const double gridStep = triplets ? sixteenth / 1.5 : sixteenth;
    const int units = static_cast<int>(std::lround(fromNote / gridStep)) * (triplets ? 2 : 3);
    const int position = std::clamp(units, 0, std::max(0, score.measureLen() - 1));
    return {restChosen ? model::kRest : static_cast<uint8_t>(std::clamp(pitch, 1, int{model::kHighestPitch})), position};
}

bool isPointerEntryMode(int mode) { return mode == kNewMode || mode == kOverwriteMode || mode == kPointerInsertMode; }

bool insideOverlay(const render::ViewState& view, const render::ScoreHit& hit) {
    const render::EditHighlight& cursor = view.edit;
    return cursor.shown && !cursor.range && hit.line == cursor.line && hit.measure == cursor.measure &&
           hit.staff == cursor.staff;
}

PointerOutcome pressInOverlay(model::Score& score, render::ViewState& view, EditState& state,
                              const render::PageTables& tables, const render::ScoreHit& hit, bool restChosen,
                              uint8_t accidental) {
    if (!isPointerEntryMode(state.editMode) || !insideOverlay(view, hit)) return PointerOutcome::Ignored;
    if (state.editMode != kNewMode) {
        model::TNote* head = view.displayStart[score.curPart - 1] ? view.displayStart[score.curPart - 1]
                                                                   : score.part(score.curPart).partHead;
        const int start = render::measureStartOf(score, view, tables, hit);
        state.clickMeasNote = render::getPos(head, start, start).measureFirst;
        if (!state.clickMeasNote) return PointerOutcome::Ended;  // the measure lies past the part's end
    }
    return enterAtPointer(score, view, state, pointerNote(score, view, tables, hit, restChosen), accidental);
}

void showAddCursor(const model::Score& score, render::ViewState& view, const render::PageTables& tables) {
    int end = 0;
    for (const model::TNote* note = score.part(score.curPart).partHead; note && !note->isEndMarker(); note = note->next) {
        end += std::max(0, note->len);
    }
    int page = 1;
    while (page + 1 < static_cast<int>(tables.pageEnd.size()) && end >= tables.pageEnd[page]) ++page;
    view.curPage = page;
    const render::LinePosition at = render::posToLine(tables, score.measureLen(), end);
    if (at.line < 0) return;
    int staff = 1;
    while (staff < tables.stavesPerSystem && render::partOnStaff(score, staff, tables.chorusCount) != score.curPart) ++staff;
    view.edit = render::EditHighlight{true, at.line + 1, at.measure, staff, false, at.line + 1, at.measure, false};
}

PointerOutcome enterAtPointer(model::Score& score, render::ViewState& view, EditState& state, const PointerNote& note,
                              uint8_t accidental) {
    PointerOutcome outcome = PointerOutcome::Ignored;
    switch (state.editMode) {
        case kNewMode: outcome = add(score, state, note, accidental); break;
        case kOverwriteMode: outcome = overwrite(score, state, note, accidental); break;
        case kPointerInsertMode: outcome = insert(score, view, state, note, accidental); break;
        default: break;
    }
    if (outcome == PointerOutcome::Entered || outcome == PointerOutcome::MeasureComplete) {
        score.recomputePositions();
        markChanged(score);
    }
    return outcome;
}

}  // namespace shinofu::edit
