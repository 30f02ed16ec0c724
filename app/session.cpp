#include "app/session.h"

#include "midi/performance_pass.h"
#include "edit/selection.h"
#include "edit/transposition.h"
#include "render/view_commands.h"

namespace shinofu::app {

model::ReadOptions Session::readOptions(bool formatFlagForRead) const {
    model::ReadOptions options;
    options.formatFlag = formatFlagForRead;
    options.defaultFluteKey = config.defaultFluteKey;
    options.names = names;
    // Symbols inside older files' notes are placed for the view this session draws.
    options.viewWidth = view.viewWidth;
    options.noteSize = view.noteSize;
    return options;
}

void Session::refreshDerivedState() {
    score.recomputePositions();
    midi::performancePass(score);
}

bool Session::transpose(int steps) {
    refreshDerivedState();
    if (!edit::transpose(score, steps)) return false;
    edit::markChanged(score);
    return true;
}

bool Session::shiftOctave(bool up) {
    bool moved = false;
    for (int part = 1; part <= score.partCount; ++part) moved = edit::shiftPartOctave(score, part, up) || moved;
    if (moved) edit::markChanged(score);
    return moved;
}

void Session::forgetPlacesInScore() {
    render::resetDisplayStart(view);
    edit.forgetRecords();
    view.edit = {};
}

void applyPartDisplayEntry(Session& session, int part) {
    if (part < 1 || part > session.score.partCount) return;
    auto& numerals = session.view.numericOverlay;
    switch (session.partDisplayMode) {
    case 0:
        numerals.fill(false);
        numerals[part - 1] = true;
        break;
    case 1: numerals[part - 1] = !numerals[part - 1]; break;
    case 2: {
        model::Part& shown = session.score.part(part);
        int visible = 0;
        for (int p = 1; p <= session.score.partCount; ++p) visible += session.score.part(p).visible ? 1 : 0;
        if (shown.visible && visible == 1) return;  // a page without any staff would show nothing to edit
        shown.visible = !shown.visible;
        int slot = 0;
        for (int p = 1; p <= session.score.partCount; ++p) {
            model::Part& each = session.score.part(p);
            each.displaySlot = each.visible ? ++slot : 0;
        }
        break;
    }
    case 3:
        session.score.part(part).fClef = !session.score.part(part).fClef;
        session.score.saved = false;
        break;
    default: break;
    }
}

}  // namespace shinofu::app
