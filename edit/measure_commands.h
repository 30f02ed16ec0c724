// Measure editing of the current part: the picked measures, insert, cut, copy, delete, insert and
// overwrite paste through the clip, and the measures per line. Commands act only in mode 3.
#pragma once

#include <functional>

#include "edit/key_table.h"
#include "platform/ui_text.h"

namespace shinofu::edit {

// The picked measures in score order, whichever corner was pressed first.
struct MeasureSelection {
    int firstMeasure;  // number of the first measure from the display start, from 1
    int count;         // measSelCount
};
std::optional<MeasureSelection> measureSelection(const EditTarget& target);

// Locates editMeasureNote at the first picked measure (the end marker past the part's end).
model::TNote* locateMeasure(EditTarget& target);

// "小節編集モードに" and back; returns the caption the menu entry takes.
const char* toggleMeasureMode(EditState& state);

// The record that ends the range of `measures` measures from `start` (never the end marker), and
// whether the part held all of them.
struct MeasureRange {
    model::TNote* last;
    bool complete;
};
MeasureRange measureRange(model::TNote* start, int measures, int measureLen);

using Snapshot = std::function<void()>;

// What a measure command says when it cannot act.
constexpr const char* kMeasureModeNotice = UI_TEXT("ui", "小節編集モードで使えます（音符/小節ボタン）");
constexpr const char* kPickMeasureNotice = UI_TEXT("ui", "小節をクリックして選んでから使えます");
constexpr const char* kEmptyClipNotice = UI_TEXT("ui", "貼り付ける小節がありません（先にコピーか切り取り）");

// Whether measure editing is on; if not, the notice says how to turn it on.
bool requireMeasureMode(EditState& state);

bool insertMeasure(EditTarget& target, const Snapshot& snapshot);
bool cutMeasures(EditTarget& target, const Snapshot& snapshot);
bool deleteMeasures(EditTarget& target, const Snapshot& snapshot);
bool copyMeasures(EditTarget& target);
bool insertPaste(EditTarget& target, const Snapshot& snapshot);
bool overwritePaste(EditTarget& target, const Snapshot& snapshot);

// "小節数": every line takes the count; breath and dynamics marks move with the new sixteenth width.
void setMeasuresPerLine(model::Score& score, render::ViewState& view, int measures);

}  // namespace shinofu::edit
