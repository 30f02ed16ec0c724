#include "edit/palette_commands.h"

#include <algorithm>
#include <cmath>
#include <span>

#include "edit/beaming.h"
#include "edit/edit_mode.h"
#include "edit/mark_commands.h"
#include "edit/measure_commands.h"
#include "edit/note_commands.h"
#include "edit/note_records.h"
#include "edit/pointer_entry.h"
#include "edit/selection.h"
#include "edit/tie_slur.h"
#include "model/pitch.h"
#include "render/view_commands.h"

namespace shinofu::edit {
namespace {

bool isNote(const model::TNote* note) { return note && !note->isEndMarker(); }

// One rung of a length ladder; lengths not on it stay.
struct Step {
    int from;
    int to;
};
int stepOn(std::span<const Step> ladder, int len) {
    for (const Step& step : ladder) {
        if (step.from == len) return step.to;
    }
    return len;
}

// Moves the pick to the neighbour: extending the selection, or leaving the old note behind.
bool pickNeighbour(EditState& state, bool forward, bool keepOld) {
    model::TNote* from = state.curNote;
    model::TNote* to = forward ? from->next : from->prev;
    if (!isNote(to)) return false;
    if (!keepOld) from->selected = false;
    to->selected = true;
    state.curNote = to;
    return false;
}

// Tie, slur and stem in add mode act on the note just entered and keep the entry going.
bool onLastEntered(model::Score& score, EditState& state, int cell) {
    model::TNote* note = state.curNote;
    if (!isNote(note) || (cell != 7 && !isNote(note->prev))) return false;
    note->selected = true;
    bool changed = false;
    if (cell == 5) changed = applyTieSlur(score, state, TieSlurOp::TieSet);
    if (cell == 6) changed = applyTieSlur(score, state, TieSlurOp::SlurSet);
    if (cell == 7) changed = flipStems(score);
    note->selected = false;
    state.editMode = kNewMode;
    state.curNote = note;
    state.entryTarget = note->next;
    if (cell != 7) state.curveTarget = nullptr;
    return changed;
}

}  // namespace

int valueCellLength(const model::Score& score, int cell) {
    static constexpr int kLengths[kValueCells] = {0, 36, 24, 18, 12, 9, 6, 3, 0, 24, 12, 6, 3, 8, 4, 2};
    if (cell < 0 || cell >= kValueCells) return 12;
    return cell == 0 || cell == 8 ? score.measureLen() : kLengths[cell];
}

bool isRestCell(int cell) { return cell >= 8 && cell <= 12; }

bool chooseValueCell(model::Score& score, render::ViewState& view, EditState& state, int cell) {
    if (cell < 0 || cell >= kValueCells) return false;
    state.valueCell = cell;
    state.inputLen = valueCellLength(score, cell);
    if (!isRestCell(cell)) return false;
    switch (state.editMode) {
        case kNoteEditMode:
            if (!isNote(state.curNote)) return false;
            state.curNote->pitch = model::kRest;
            state.curNote->accidental = model::kNoAccidental;
            return true;
        case kNewMode: {
            const PointerOutcome outcome = enterAtPointer(score, view, state, {model::kRest, 0}, model::kNoAccidental);
            return outcome == PointerOutcome::Entered || outcome == PointerOutcome::MeasureComplete;
        }
        case kInsertOnceMode:
            if (!state.entryTarget) return false;
            setLength(score, *state.entryTarget, state.inputLen);
            state.entryTarget->pitch = model::kRest;
            return true;
        default: return false;
    }
}

bool accidentalBarCell(model::Score& score, EditState& state, int cell, bool rightClick) {
    const bool picking = state.editMode == kNoteEditMode;
    if (cell >= 0 && cell <= 4) {
        bool changed = false;
        if (rightClick) {
            if (picking) changed = setAccidental(score, model::kNoAccidental);
        } else if (picking) {
            changed = setAccidental(score, static_cast<uint8_t>(cell));
        } else {
            state.paletteAccidental = static_cast<uint8_t>(cell);
            return false;
        }
        state.paletteAccidental = model::kNoAccidental;
        return changed;
    }
    if (cell < 5 || cell > 7) return false;
    if (cell == 7 && rightClick) {
        state.paletteAccidental = model::kNoAccidental;
        return false;
    }
    if (state.editMode == kNewMode && !rightClick) return onLastEntered(score, state, cell);
    if (cell == 5) return applyTieSlur(score, state, rightClick ? TieSlurOp::TieClear : TieSlurOp::TieSet);
    if (cell == 6) return applyTieSlur(score, state, rightClick ? TieSlurOp::SlurClear : TieSlurOp::SlurSet);
    return flipStems(score);
}

int longerLength(int len, bool rest) {
    static constexpr Step kNotes[] = {{2, 4}, {3, 6}, {4, 8}, {6, 9}, {8, 16}, {9, 12}, {12, 18}, {18, 24}, {24, 36}, {36, 48}};
    static constexpr Step kRests[] = {{2, 4}, {3, 6}, {4, 8}, {6, 12}, {8, 16}, {12, 24}, {24, 48}};
    return rest ? stepOn(kRests, len) : stepOn(kNotes, len);
}

int shorterLength(int len, bool rest) {
    static constexpr Step kNotes[] = {{4, 2}, {6, 3}, {8, 4}, {9, 6}, {12, 9}, {16, 8}, {18, 12}, {24, 18}, {36, 24}, {48, 36}};
    static constexpr Step kRests[] = {{4, 2}, {6, 3}, {8, 4}, {12, 6}, {16, 8}, {24, 12}, {48, 24}};
    return rest ? stepOn(kRests, len) : stepOn(kNotes, len);
}

bool editBarCell(model::Score& score, render::ViewState& view, EditState& state, const EditBarClick& click) {
    model::TNote* note = state.curNote;
    const bool adding = state.editMode == kNewMode;
    if (click.right) {
        if ((click.cell == 4 || click.cell == 5) && adding && isNote(note)) return pickNeighbour(state, click.cell == 4, false);
        if (click.cell == 6) return setBeams(score);
        return false;
    }
    switch (click.cell) {
        case 0:
        case 1: {
            if (!isNote(note)) return false;
            if (click.shift || click.ctrl) return pickNeighbour(state, click.cell == 0, click.shift);
            const bool rest = note->pitch == model::kRest;
            const int len = click.cell == 0 ? longerLength(note->len, rest) : shorterLength(note->len, rest);
            if (len == note->len) return false;
            setLength(score, *note, len);
            return true;
        }
        case 2:
        case 3: {
            if (!isNote(note)) return false;
            const bool up = click.cell == 2;
            if (click.shift) return shiftOctave(score, state, up);
            const uint8_t pitch = note->pitch;
            if (up ? pitch > 34 : (pitch < 2 || pitch > 35)) return false;
            setPitch(score, *note, static_cast<uint8_t>(up ? pitch + 1 : pitch - 1));
            return true;
        }
        case 4:
        case 5:
            if (!adding) return false;
            if (click.cell == 4) {
                render::shiftDisplayLater(view, score);
            } else {
                render::shiftDisplayEarlier(view, score);
            }
            // The entry point goes back to the part's end.
            endEntry(score, state);
            startAddMode(score, view, state, render::buildPageTables(score, view));
            return false;
        case 6:
            if (!state.clickMeasNote) return false;
            beamMeasure(score, state.clickMeasNote, 0, state.beamPerBeat);
            return true;
        case 7:
            if (!state.clickMeasNote) return false;
            clearMeasureBeams(score, state.clickMeasNote);
            return true;
        case 8: state.editMode = kSymbolEditMode; return false;
        default: return false;
    }
}

bool symbolGridCell(model::Score& score, const render::ViewState& view, EditState& state, int row, int column) {
    if (row == 0 && column >= 0 && column < 8) return addDynamics(score, view, state, column + 1);
    if (row == 1 && column >= 0 && column < 4) {
        return addHairpin(score, view, state, static_cast<model::HairpinRole>(model::kCrescendoStart + column));
    }
    static constexpr int kNone = -1;
    // Rows 1..3: measure signs by kind, marks as -2 - MarkKind.
    static constexpr int kCells[3][8] = {
        {kNone, kNone, kNone, kNone, model::kSegno, model::kFine, model::kStop, kNone},
        {-2 - static_cast<int>(MarkKind::Fermata), -2 - static_cast<int>(MarkKind::Breath), -2 - static_cast<int>(MarkKind::Rit),
         model::kDaCapo, model::kCoda, model::kFirstEnding, model::kRepeatLeft, kNone},
        {kNone, kNone, -2 - static_cast<int>(MarkKind::ATempo), model::kDalSegno, model::kToCoda, model::kSecondEnding,
         model::kRepeatRight, kNone},
    };
    if (row < 1 || row > 3 || column < 0 || column >= 8) return false;
    const int cell = kCells[row - 1][column];
    if (cell == kNone) return false;
    if (cell < kNone) return addMark(score, view, state, static_cast<MarkKind>(-2 - cell));
    return addMeasureSign(score, view, state, static_cast<model::SymbolKind>(cell));
}

bool layoutBarCell(model::Score& score, render::ViewState& view, int cell, bool rightClick) {
    if (rightClick) {
        if (cell != 4 && cell != 5) return false;
        render::resetDisplayStart(view);
        return true;
    }
    if (cell == 4) return render::shiftDisplayLater(view, score);
    if (cell == 5) {
        render::shiftDisplayEarlier(view, score);
        return true;
    }
    if (!view.fixedMode) return false;
    constexpr int kMostMeasures = 12;
    constexpr int kMostSpacing = 400;
    const int measures = std::max(1, score.song.measPerLine);
    const double size = view.noteSize;
    switch (cell) {
        case 0: setMeasuresPerLine(score, view, std::max(1, measures - 1)); break;
        case 9: setMeasuresPerLine(score, view, std::min(kMostMeasures, measures + 1)); break;
        case 1:
            view.lineSpacing -= view.lineSpacing >= 40 ? 2 : 1;
            if (view.lineSpacing < 16) view.lineSpacing = 24;
            break;
        case 8: view.lineSpacing = std::min(kMostSpacing, view.lineSpacing + (view.lineSpacing >= 40 ? 2 : 1)); break;
        case 2: view.rowsPerPage = std::max(1, view.rowsPerPage - 1); break;
        case 7: {
            // As many rows as the view holds below the top margin.
            const int fit = static_cast<int>((view.viewHeight / std::max(0.1, view.drawUnit()) - view.topMargin) /
                                             std::max(1, view.lineSpacing));
            view.rowsPerPage = std::max(view.rowsPerPage, std::min(view.rowsPerPage + 1, fit));
            break;
        }
        case 3: view.noteSize = std::max(1.0, size - (size > 2.0 ? 0.05 : 0.025)); break;
        case 6: view.noteSize = std::min(kLargestNoteSize, size + (size > 2.0 ? 0.05 : 0.025)); break;
        default: return false;
    }
    if (view.noteSize != size) view.originX = 0;
    return true;
}

std::optional<uint8_t> panelPitch(int y, bool fClef) {
    constexpr int kStaffBottom = 175;
    if (y > kStaffBottom) return std::nullopt;
    const int step = static_cast<int>(std::lround((138 - y) / 7.5));
    if (fClef) {
        if (step < 0 || step > 22) return std::nullopt;
        return static_cast<uint8_t>(step + 1);
    }
    if (step < -5 || step > 22) return std::nullopt;
    return static_cast<uint8_t>(step + 13);
}

bool enterPanelPitch(model::Score& score, EditState& state, uint8_t pitch) {
    model::TNote* target = state.entryTarget;
    if (!target || !enterPitch(score, state, pitch)) return false;
    target->accidental = state.paletteAccidental;
    return true;
}

}  // namespace shinofu::edit
