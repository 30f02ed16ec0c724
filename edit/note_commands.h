// The commands that change single notes of the current part: entry, insert, delete, length, dot,
// pitch step, octave, accidental, stem, note and rest, hidden rests. Each returns whether the score changed.
#pragma once

#include "edit/edit_state.h"
#include "model/score.h"
#include "render/page_tables.h"
#include "render/view_state.h"

namespace shinofu::edit {

// Add mode: entry at the end of the current part, whose page becomes the current one.
void startAddMode(model::Score& score, render::ViewState& view, EditState& state, const render::PageTables& tables);
// A pitch code (0: a rest) into the entry target of the add and insert modes.
bool enterPitch(model::Score& score, EditState& state, uint8_t pitch);
// The insert key in note editing: a rest after the current note, which takes the next pitches.
bool startInsertAfter(model::Score& score, EditState& state);
// "挿入": a copy of the current note in front of it, which the next entered pitch fills.
bool insertCopy(model::Score& score, render::ViewState& view, EditState& state);
// Escape and space leave the entry modes; insert mode drops its last, still empty record.
void endEntry(model::Score& score, EditState& state);
bool deleteNote(model::Score& score, render::ViewState& view, EditState& state);
// After a re-flow, which merges tied notes: the state's references to records that left the
// current part's list are dropped.
void keepReferencesInList(model::Score& score, EditState& state);
// The menu's insert and delete: the part is re-flowed from the edited measure afterwards (not
// after deleting the part's last note), so bar lines, ties and beams follow the change.
bool insertAndReflow(model::Score& score, render::ViewState& view, EditState& state);
bool deleteAndReflow(model::Score& score, render::ViewState& view, EditState& state);

bool halveLength(model::Score& score, EditState& state);
bool doubleLength(model::Score& score, EditState& state);
enum class DotChange { Set, Clear, Toggle };
bool changeDot(model::Score& score, EditState& state, DotChange change);

bool stepPitch(model::Score& score, EditState& state, bool up);
bool shiftOctave(model::Score& score, EditState& state, bool up);
bool setAccidental(model::Score& score, uint8_t accidental);
bool flipStems(model::Score& score);
bool noteToRest(EditState& state);
bool restToNote(model::Score& score, EditState& state);
bool hideRests(model::Score& score);
bool showHiddenRests(model::Score& score);

// The full-measure length of the meter, which "1" and "W" choose.
int measureInputLength(const model::Score& score);

}  // namespace shinofu::edit
