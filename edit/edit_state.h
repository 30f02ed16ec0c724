// The editing state of the score window: mode, current note, entry point, what the last presses hit.
#pragma once

#include <optional>
#include <string>

#include "edit/measure_clip.h"
#include "model/tnote.h"
#include "render/hit_test.h"

namespace shinofu::edit {

// What the last press on a measure found, for the commands that act on "the clicked measure".
struct ClickedMeasure {
    render::ScoreHit hit;
    int measureStart = 0;  // length units from the display start of the part
};

constexpr int kNoModeButton = 3;

struct EditState {
    int editMode = 0;
    std::string notice;  // why the last command did nothing, for the status bar
    std::string lastCommand;  // what the last key did, to name its step in the undo history
    model::TNote* curNote = nullptr;
    bool selectionHold = false;
    int inputLen = 12;
    int inputOctave = 1;  // 0: c0..b0, 1: c1..b1, 2: c2..b2
    bool autoStem = true;
    bool qPrefix = false;
    model::TNote* entryTarget = nullptr;
    model::TNote* editMeasureNote = nullptr;
    int editMeasureStart = 0;
    model::TNote* clickMeasNote = nullptr;
    model::TNote* curveTarget = nullptr;
    int measFill = 0;
    std::optional<ClickedMeasure> click;          // the last press
    std::optional<render::ScoreHit> previousHit;  // the measure pressed before, to tell a repeated press
    std::optional<render::ScoreHit> rangeEnd;     // measure editing: the second corner
    MeasureClip clip;
    bool beamPerBeat = false;
    // The note palette: the accidental pointer entries take, the value cell last chosen, and the
    // pressed entry-mode button (0 add, 1 insert, 2 overwrite, 3 none).
    uint8_t paletteAccidental = 5;
    int valueCell = 4;
    int modeButton = kNoModeButton;

    // Drops every reference into the score's records, before the score is replaced.
    void forgetRecords() {
        curNote = entryTarget = editMeasureNote = clickMeasNote = curveTarget = nullptr;
        editMeasureStart = measFill = 0;
        click.reset();
        previousHit.reset();
        rangeEnd.reset();
        if (editMode == 7 || editMode == 8 || editMode == 6) editMode = 2;
    }
};

}  // namespace shinofu::edit
