#include "edit/measure_commands.h"

#include <algorithm>
#include <cmath>

#include "edit/edit_mode.h"
#include "edit/note_picking.h"
#include "edit/selection.h"
#include "model/line_fit.h"
#include "platform/ui_text.h"

namespace shinofu::edit {
namespace {

constexpr int kCompoundMeterRest = 6;  // 3/8 and 6/8 fill an inserted measure with eighth rests
constexpr int kSimpleMeterRest = 12;
constexpr int kThreeEight = 3;
constexpr int kSixEight = 4;

int measureNumberOf(const EditTarget& target, const render::ScoreHit& hit) {
    const render::PageTables& tables = target.tables;
    const int line = std::clamp(hit.line, 1, std::max(1, tables.systemsPerPage));
    const int index = tables.lineIndex(target.view.curPage, line);
    const int first = index >= 0 && index < render::kLineTableSize ? tables.lineStart[index] : 1;
    return first + std::max(1, hit.measure) - 1;
}

model::TNote* copyOf(model::Score& score, const model::TNote& source) {
    model::TNote* copy = score.allocateNote();
    *copy = source;
    copy->selected = false;
    copy->prev = copy->next = nullptr;
    return copy;
}

// Links the chain first..last in front of `at`; the part's head and display start follow.
void linkBefore(EditTarget& target, model::TNote* first, model::TNote* last, model::TNote* at) {
    model::Part& part = target.score.part(target.score.curPart);
    first->prev = at->prev;
    last->next = at;
    if (at->prev) {
        at->prev->next = first;
    } else {
        part.partHead = first;
    }
    if (target.view.displayStart[target.score.curPart - 1] == at) target.view.displayStart[target.score.curPart - 1] = first;
    at->prev = last;
}

// Unlinks the records from `first` to `last`; the record after them takes their place.
model::TNote* unlinkRange(EditTarget& target, model::TNote* first, model::TNote* last) {
    model::Part& part = target.score.part(target.score.curPart);
    model::TNote* after = last->next;
    after->prev = first->prev;
    if (first->prev) {
        first->prev->next = after;
    } else {
        part.partHead = after;
    }
    auto& display = target.view.displayStart[target.score.curPart - 1];
    for (model::TNote* note = first; note && note != after; note = note->next) {
        if (display == note) display = after;
    }
    return after;
}

// The measure commands forget the current note: the records it may point to can leave the list.
void forgetPick(EditState& state, model::TNote* editMeasure) {
    state.curNote = nullptr;
    state.entryTarget = nullptr;
    state.curveTarget = nullptr;
    state.editMeasureNote = editMeasure;
    state.clickMeasNote = editMeasure;
}

// The measure a command acts on, or null with the notice of what the user must do first.
model::TNote* measureToActOn(EditTarget& target) {
    if (!requireMeasureMode(target.state)) return nullptr;
    model::TNote* at = locateMeasure(target);
    if (!at) target.state.notice = kPickMeasureNotice;
    return at;
}

bool removeMeasures(EditTarget& target, const Snapshot& snapshot, bool keepInClip) {
    model::TNote* start = measureToActOn(target);
    const std::optional<MeasureSelection> selection = measureSelection(target);
    if (!start || start->isEndMarker() || !selection) return false;
    snapshot();
    const MeasureRange range = measureRange(start, selection->count, target.score.measureLen());
    model::TNote* after = unlinkRange(target, start, range.last);
    if (keepInClip) {
        MeasureClip& clip = target.state.clip;
        clip = MeasureClip{start, range.complete ? selection->count : clip.measCount, target.score.generation(), {}, false};
    }
    forgetPick(target.state, after);
    return true;
}

bool paste(EditTarget& target, const Snapshot& snapshot, bool overwrite) {
    model::TNote* at = measureToActOn(target);
    if (!at) return false;
    const std::vector<const model::TNote*> records = clipRecords(target.state.clip, target.score);
    if (records.empty()) {
        target.state.notice = kEmptyClipNotice;
        return false;
    }
    snapshot();
    model::TNote* first = copyOf(target.score, *records.front());
    model::TNote* last = first;
    for (size_t i = 1; i < records.size(); ++i) {
        model::TNote* copy = copyOf(target.score, *records[i]);
        copy->prev = last;
        last->next = copy;
        last = copy;
    }
    if (overwrite && !at->isEndMarker()) {
        const MeasureRange replaced = measureRange(at, std::max(1, target.state.clip.measCount), target.score.measureLen());
        at = unlinkRange(target, at, replaced.last);
    }
    linkBefore(target, first, last, at);
    forgetPick(target.state, first);
    return true;
}

}  // namespace

std::optional<MeasureSelection> measureSelection(const EditTarget& target) {
    if (!target.state.click) return std::nullopt;
    const int start = measureNumberOf(target, target.state.click->hit);
    const int end = target.state.rangeEnd ? measureNumberOf(target, *target.state.rangeEnd) : start;
    // An end picked before the start is taken in order.
    return MeasureSelection{std::min(start, end), std::abs(end - start) + 1};
}

model::TNote* locateMeasure(EditTarget& target) {
    const std::optional<MeasureSelection> selection = measureSelection(target);
    if (!selection) return nullptr;
    const int64_t measureStart = static_cast<int64_t>(selection->firstMeasure - 1) * target.score.measureLen();
    int64_t position = 0;
    model::TNote* note = displayHead(target.score, target.view, target.score.curPart);
    while (!note->isEndMarker() && position < measureStart) {
        position += std::max(0, note->len);
        note = note->next;
    }
    target.state.editMeasureNote = note;
    target.state.editMeasureStart = static_cast<int>(std::min<int64_t>(position, INT32_MAX));
    return note;
}

bool requireMeasureMode(EditState& state) {
    if (state.editMode == kMeasureEditMode) return true;
    state.notice = kMeasureModeNotice;
    return false;
}

const char* toggleMeasureMode(EditState& state) {
    state.editMode = state.editMode == kMeasureEditMode ? kEditMode : kMeasureEditMode;
    return state.editMode == kMeasureEditMode ? UI_TEXT("menu", "音符編集モードに &M") : UI_TEXT("menu", "小節編集モードに &M");
}

MeasureRange measureRange(model::TNote* start, int measures, int measureLen) {
    const int64_t limit = static_cast<int64_t>(std::max(0, measures)) * measureLen;
    int64_t sum = 0;
    model::TNote* last = start;
    for (model::TNote* note = start; note && !note->isEndMarker(); note = note->next) {
        last = note;
        sum += std::max(0, note->len);
        if (sum >= limit) return {last, true};
    }
    return {last, false};
}

bool insertMeasure(EditTarget& target, const Snapshot& snapshot) {
    model::TNote* at = measureToActOn(target);
    if (!at) return false;
    snapshot();
    const int meter = target.score.song.meterIndex;
    const int restLen = meter == kThreeEight || meter == kSixEight ? kCompoundMeterRest : kSimpleMeterRest;
    model::TNote* first = nullptr;
    model::TNote* last = nullptr;
    for (int sum = 0; sum < target.score.measureLen(); sum += restLen) {
        model::TNote* rest = target.score.allocateNote();
        rest->pitch = model::kRest;
        rest->len = restLen;
        rest->playTime = model::playTimeFor(restLen, target.score.song.msPerUnit);
        rest->prev = last;
        if (last) last->next = rest;
        if (!first) first = rest;
        last = rest;
    }
    linkBefore(target, first, last, at);
    forgetPick(target.state, first);
    return true;
}

bool cutMeasures(EditTarget& target, const Snapshot& snapshot) { return removeMeasures(target, snapshot, true); }
bool deleteMeasures(EditTarget& target, const Snapshot& snapshot) { return removeMeasures(target, snapshot, false); }

bool copyMeasures(EditTarget& target) {
    model::TNote* start = measureToActOn(target);
    const std::optional<MeasureSelection> selection = measureSelection(target);
    if (!start || !selection || start->isEndMarker()) return false;
    MeasureClip& clip = target.state.clip;
    const bool complete = measureRange(start, selection->count, target.score.measureLen()).complete;
    clip = MeasureClip{start, complete ? selection->count : clip.measCount, target.score.generation(), {}, false};
    return true;
}

bool insertPaste(EditTarget& target, const Snapshot& snapshot) { return paste(target, snapshot, false); }
bool overwritePaste(EditTarget& target, const Snapshot& snapshot) { return paste(target, snapshot, true); }

void setMeasuresPerLine(model::Score& score, render::ViewState& view, int measures) {
    score.song.measPerLine = measures;
    score.song.lineMeasures.fill(static_cast<decltype(score.song.lineMeasures)::value_type>(measures));
    view.originX = 0;
    view.zoom = 1.0;
    view.allPageView = false;
    const double w = model::fitScoreLine(score, view.viewWidth, view.noteSize, measures).sixteenthWidth;
    for (int part = 1; part <= score.partCount; ++part) {
        if (!score.part(part).visible) continue;
        for (model::TMark& mark : score.part(part).marks) {
            if (mark.breath) mark.dx = static_cast<int>(std::lround(w + w * mark.measOffset / 3));
            if (mark.dynamics) mark.dx = static_cast<int>(std::lround(w + w * (mark.measOffset - 1) / 3));
        }
    }
}

}  // namespace shinofu::edit
