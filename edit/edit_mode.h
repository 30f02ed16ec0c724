// The edit modes (editMode 0..26) and the names the status bar shows for them.
#pragma once

#include <string>
#include <vector>

namespace shinofu::edit {

enum EditMode : int {
    kNoMode = 0,
    kEditMode = 2,
    kMeasureEditMode = 3,
    kNoteEditMode = 4,
    kSymbolEditMode = 5,
    kNewMode = 6,
    kInsertMode = 7,
    kInsertOnceMode = 8,
    kDeleteLabelMode = 9,
    kHelpMode = 19,
    kSongDataMode = 20,
    kPlaybackSettingsMode = 21,
    kLyricMode = 22,
    kOverlaySettingsMode = 23,  // the symbol dialog sizes the fingering overlay
    kOverwriteMode = 24,
    kPointerInsertMode = 25,
    kPrintViewMode = 26,
};

// The name alone ("新規"); empty for the unnamed modes.
std::string editModeName(int mode);

// Every mode above, for the keys that work in all of them.
const std::vector<int>& everyEditMode();
// What the status label shows: the name between "<" and ">".
std::string editModeLabel(int mode);

}  // namespace shinofu::edit
