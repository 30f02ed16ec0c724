#include "edit/note_picking.h"

#include <algorithm>

#include "edit/edit_mode.h"
#include "edit/selection.h"

namespace shinofu::edit {
namespace {

void highlight(render::ViewState& view, const render::PageTables& tables, const render::ScoreHit& hit) {
    const bool inLine = hit.line >= 1 && hit.line <= tables.systemsPerPage &&
                        hit.measure >= 1 && hit.measure <= tables.measuresOn(view.curPage, hit.line);
    view.edit = {};
    view.edit.shown = inLine && hit.staff >= 1 && hit.staff <= tables.stavesPerSystem;
    view.edit.line = hit.line;
    view.edit.measure = hit.measure;
    view.edit.staff = hit.staff;
}

// Measure editing shows the picked measures, first to last in score order, as bare staff lines.
void highlightRange(render::ViewState& view, const render::PageTables& tables, const render::ScoreHit& start,
                    const render::ScoreHit& end) {
    highlight(view, tables, start);
    const bool backwards = end.line < start.line || (end.line == start.line && end.measure < start.measure);
    const render::ScoreHit& first = backwards ? end : start;
    const render::ScoreHit& last = backwards ? start : end;
    highlight(view, tables, first);
    view.edit.range = true;
    view.edit.endLine = std::clamp(last.line, 1, std::max(1, tables.systemsPerPage));
    view.edit.endMeasure = std::max(1, last.measure);
    view.edit.cleared = true;
}

}  // namespace

model::TNote* displayHead(model::Score& score, const render::ViewState& view, int part) {
    return view.displayStart[part - 1] ? view.displayStart[part - 1] : score.part(part).partHead;
}

bool pickClickedNote(model::Score& score, render::ViewState& view, EditState& state, const render::PageTables& tables) {
    if (!state.click) return false;
    const int measureStart = render::measureStartOf(score, view, tables, state.click->hit);
    state.click->measureStart = measureStart;
    const render::PickedNote picked =
        render::getPos(displayHead(score, view, score.curPart), measureStart, measureStart + state.click->hit.offset);
    state.clickMeasNote = picked.measureFirst;
    if (!picked.note) return false;
    if (state.editMode != kMeasureEditMode) {
        picked.note->selected = true;
        state.curNote = picked.note;
        state.curveTarget = picked.note;  // the curve dialog acts on the note last picked
        state.editMeasureNote = picked.measureFirst;
        state.editMeasureStart = picked.measureFirstStart;
        if (state.editMode == kEditMode) state.editMode = kNoteEditMode;
    } else if (!state.editMeasureNote) {
        state.editMeasureNote = picked.note;
    }
    return true;
}

PressOutcome pressOnScore(model::Score& score, render::ViewState& view, EditState& state,
                          const render::PageTables& tables, const render::ScoreHit& hit, PressModifiers modifiers) {
    PressOutcome outcome;
    const int mode = state.editMode;
    if (mode == kPrintViewMode) return outcome;
    const bool shownPart = hit.staff >= 1 && hit.staff <= tables.stavesPerSystem && hit.part > 0;
    if (mode != kMeasureEditMode) {
        state.click = ClickedMeasure{hit, render::measureStartOf(score, view, tables, hit)};
        if (shownPart) score.curPart = hit.part;
    }
    bool repeated = false;
    if (mode != kNewMode && mode != kMeasureEditMode && mode != kInsertMode) {
        repeated = state.previousHit && state.previousHit->sameMeasure(hit);
        if (!repeated) {
            state.previousHit = hit;
            if (!state.selectionHold) clearSelection(score, state);
            if (mode != kPlaybackSettingsMode && mode != kInsertMode && mode != kOverwriteMode) {
                outcome.hideSymbolDialog = true;
                state.editMode = kEditMode;
            }
            highlight(view, tables, hit);
        }
    }
    switch (state.editMode) {
    case kMeasureEditMode:
        if (modifiers.shift && state.click) {
            state.rangeEnd = hit;
        } else {
            state.click = ClickedMeasure{hit, render::measureStartOf(score, view, tables, hit)};
            state.rangeEnd = hit;
            state.editMeasureNote = nullptr;
            pickClickedNote(score, view, state, tables);
        }
        if (shownPart) score.curPart = hit.part;
        highlightRange(view, tables, state.click->hit, *state.rangeEnd);
        break;
    case kEditMode:
        if (repeated) outcome.picked = pickClickedNote(score, view, state, tables);
        break;
    case kNoteEditMode:
        if (repeated && modifiers.ctrl) outcome.picked = pickClickedNote(score, view, state, tables);
        break;
    case kPlaybackSettingsMode:
        if (repeated) outcome.picked = pickClickedNote(score, view, state, tables);
        break;
    case kOverwriteMode:
        if (repeated) {
            outcome.picked = pickClickedNote(score, view, state, tables);
            outcome.openOverlay = outcome.picked;
        }
        break;
    default: break;
    }
    return outcome;
}

}  // namespace shinofu::edit
