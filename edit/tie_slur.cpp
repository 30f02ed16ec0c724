#include "edit/tie_slur.h"

#include <vector>

#include "model/measure_spelling.h"

namespace shinofu::edit {
namespace {

using model::kNoRole;
using model::kRoleEnd;
using model::kRoleEndAndStart;
using model::kRoleStart;

uint8_t joined(uint8_t role) { return role != kNoRole ? kRoleEndAndStart : kRoleStart; }

void resetCurves(model::TNote& note) {
    note.curveStart = 0;
    note.curveMid = 0;
    note.curveEnd = 0;
}

// Clearing a tie that starts here: its end goes too, or becomes a start when it starts the next tie.
void clearTieFrom(model::TNote& note, bool keepNextStart) {
    model::TNote* next = note.next;
    if (note.tie == kRoleStart) {
        note.tie = kNoRole;
        if (next) next->tie = kNoRole;
    } else if (note.tie == kRoleEndAndStart) {
        note.tie = kRoleEnd;
        if (next) next->tie = keepNextStart && next->tie != kRoleEnd ? kRoleStart : kNoRole;
    }
}

// Clearing a slur that starts here: the walk ends it at its end note.
bool clearSlurFrom(model::TNote& note) {
    if (note.slur == kRoleStart) {
        note.slur = kNoRole;
        return true;
    }
    if (note.slur == kRoleEndAndStart) {
        note.slur = kRoleEnd;
        return true;
    }
    return false;
}

// A tie holds one sound: each selected note must sound what the note before it sounds.
bool tiesJoinEqualSounds(const model::Score& score) {
    const std::vector<int> sounding = model::soundingChromatics(score, score.curPart);
    size_t index = 0;
    for (const model::TNote* note = score.part(score.curPart).partHead; note && !note->isEndMarker();
         note = note->next, ++index) {
        if (!note->selected || index == 0) continue;
        const int before = sounding[index - 1];
        if (before != 0 && sounding[index] != 0 && before != sounding[index]) return false;
    }
    return true;
}

}  // namespace

bool applyTieSlur(model::Score& score, EditState& state, TieSlurOp op) {
    if (op == TieSlurOp::TieSet && !tiesJoinEqualSounds(score)) {
        state.notice = kTieBetweenPitchesNotice;
        return false;
    }
    bool changed = false;
    bool slurEndPending = false;
    for (model::TNote* note = score.part(score.curPart).partHead; note && !note->isEndMarker(); note = note->next) {
        const model::TNote before = *note;
        if (slurEndPending) {
            if (note->slur == kRoleEnd) {
                note->slur = kNoRole;
                slurEndPending = false;
            } else if (note->slur == kRoleEndAndStart) {
                note->slur = kRoleStart;
                slurEndPending = false;
            }
        } else if (note->selected) {
            model::TNote* previous = note->prev;
            switch (op) {
            case TieSlurOp::TieSet:
            case TieSlurOp::SlurSet:
                if (previous) {
                    uint8_t& previousRole = op == TieSlurOp::TieSet ? previous->tie : previous->slur;
                    uint8_t& role = op == TieSlurOp::TieSet ? note->tie : note->slur;
                    previousRole = joined(previousRole);
                    role = kRoleEnd;
                    resetCurves(*previous);
                    state.curveTarget = previous;
                    changed = true;
                }
                break;
            case TieSlurOp::SlurStart:
                note->slur = joined(note->slur);
                resetCurves(*note);
                state.curveTarget = note;
                break;
            case TieSlurOp::SlurEnd: note->slur = kRoleEnd; break;
            case TieSlurOp::TieClear: clearTieFrom(*note, true); break;
            case TieSlurOp::SlurClear: slurEndPending = clearSlurFrom(*note); break;
            case TieSlurOp::TieOrSlurClear:
                if (note->tie == kRoleStart || note->tie == kRoleEndAndStart) {
                    clearTieFrom(*note, false);
                } else {
                    slurEndPending = clearSlurFrom(*note);
                }
                break;
            }
        }
        changed = changed || before.tie != note->tie || before.slur != note->slur;
    }
    return changed;
}

}  // namespace shinofu::edit
