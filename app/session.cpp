#include "app/session.h"

#include <algorithm>

#include "edit/measure_clip.h"
#include "edit/selection.h"
#include "edit/transposition.h"
#include "midi/performance_pass.h"
#include "model/score_writer.h"
#include "render/page_tables.h"
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

std::vector<std::string> Session::historyLines() {
    // With the performance data, so that velocity and timing edits are steps too.
    const bool perfData = score.writePerfData;
    score.writePerfData = true;
    std::vector<std::string> lines = model::scoreFileLines(score);
    score.writePerfData = perfData;
    return lines;
}

void Session::startHistory() {
    history.reset(historyLines(), score.saved);
    announcedExcess = {};
}

bool Session::recordStep(const std::string& caption) { return history.record(historyLines(), caption); }

void Session::markSaved() { history.markSaved(); }

std::optional<std::string> Session::undoStep() { return restore(history.undo()); }

std::optional<std::string> Session::redoStep() { return restore(history.redo()); }

std::optional<std::string> Session::restore(std::optional<edit::ScoreHistory::Step> step) {
    if (!step) return std::nullopt;
    edit::detachClip(edit.clip, score.measureLen());
    const int page = view.curPage;
    const int part = score.curPart;
    const bool perfData = score.writePerfData;
    model::readScore(step->lines, score, readOptions(true));
    score.writePerfData = perfData;
    forgetPlacesInScore();
    score.curPart = std::min(part, score.partCount);
    score.saved = history.atSavedState();
    refreshDerivedState();
    view.curPage = std::clamp(page, 1, std::max(1, render::buildPageTables(score, view).pageCount));
    return step->caption;
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
