#include "edit/score_shape.h"

#include "edit/selection.h"

namespace shinofu::edit {

bool setMeter(model::Score& score, int meterIndex) {
    if (meterIndex < 0 || meterIndex > 4 || score.song.meterIndex == meterIndex) return false;
    score.song.meterIndex = meterIndex;
    score.recomputePositions();
    markChanged(score);
    return true;
}

bool setPartCount(model::Score& score, render::ViewState& view, EditState& state, int parts) {
    if (parts < 1 || parts > model::kMaxParts) return false;
    clearSelection(score, state);
    for (int part = score.partCount + 1; part <= parts; ++part) {
        score.newPartList(part);
        score.part(part).symbols.clear();
        score.part(part).marks.clear();
        view.displayStart[part - 1] = nullptr;
    }
    score.partCount = parts;
    for (int part = 1; part <= model::kMaxParts; ++part) {
        score.part(part).visible = true;
        score.part(part).displaySlot = part <= parts ? part : 0;
    }
    score.curPart = 1;
    score.chorusCount = std::min(score.chorusCount, parts / 2);
    state.forgetRecords();
    score.recomputePositions();
    markChanged(score);
    return true;
}

}  // namespace shinofu::edit
