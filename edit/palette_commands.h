// What the cells of the note palette and the note input panel do: note and rest values, the
// accidental bar, the edit bar, the symbol grid, the layout bar and the panel's staff.
#pragma once

#include <optional>

#include "edit/edit_state.h"
#include "model/score.h"
#include "render/view_state.h"

namespace shinofu::edit {

constexpr int kValueCells = 16;

// Units of a value cell: 0 and 8 a full measure of the meter, 13..15 the triplet values.
int valueCellLength(const model::Score& score, int cell);
bool isRestCell(int cell);

// A value cell chosen: the input length; a rest cell also acts at once on the picked note (mode 4)
// or the entry (add mode appends the rest, a copy being inserted becomes it). True when the score changed.
bool chooseValueCell(model::Score& score, render::ViewState& view, EditState& state, int cell);

// The accidental bar's cells 0..7 (8..10, the play buttons, belong to the window). True when the score changed.
bool accidentalBarCell(model::Score& score, EditState& state, int cell, bool rightClick);

// The next length up or down the palette's ladder: notes through the dotted values, rests doubling.
int longerLength(int len, bool rest);
int shorterLength(int len, bool rest);

struct EditBarClick {
    int cell;
    bool shift = false;
    bool ctrl = false;
    bool right = false;
};
// The edit bar's cells 0..9 (10 switches the palette's page in the window). True when the score changed.
bool editBarCell(model::Score& score, render::ViewState& view, EditState& state, const EditBarClick& click);

// The symbol grid: row 0 dynamics, rows 1..3 hairpins, marks and measure signs. True when something was added.
bool symbolGridCell(model::Score& score, const render::ViewState& view, EditState& state, int row, int column);

constexpr double kLargestNoteSize = 5.5;
// The layout bar's cells 0..9, in the fixed-measure view only: measures per line, line spacing, rows
// and note size down (0..3) and up (9..6), the display start later and earlier (4, 5; a right click
// resets it). True when the layout changed.
bool layoutBarCell(model::Score& score, render::ViewState& view, int cell, bool rightClick);

// The input panel's staff: the pitch of a click at y (panel pixels), or nothing outside the steps.
std::optional<uint8_t> panelPitch(int y, bool fClef);
// Enters the pitch as a letter key would, with the palette accidental. True when entered.
bool enterPanelPitch(model::Score& score, EditState& state, uint8_t pitch);

}  // namespace shinofu::edit
