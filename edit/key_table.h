// The keys of the score window: one table from (mode, key, modifiers) to a command, read by the
// key handler, by the tests and for the keyboard reference.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "edit/edit_state.h"
#include "model/score.h"
#include "render/page_tables.h"
#include "render/view_state.h"

namespace shinofu::edit {

// Virtual-key codes; letters and digits are their upper-case ASCII codes.
enum KeyCode : int {
    kKeyBackspace = 8,
    kKeyEscape = 27,
    kKeySpace = 32,
    kKeyLeft = 37,
    kKeyUp = 38,
    kKeyRight = 39,
    kKeyDown = 40,
    kKeyInsert = 45,
    kKeyDelete = 46,
};

struct KeyModifiers {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
};

// What a command works on; snapshot saves the score for undo before a measure edit.
struct EditTarget {
    model::Score& score;
    render::ViewState& view;
    EditState& state;
    const render::PageTables& tables;
    std::function<void()> snapshot = [] {};
    // Undo and redo of whole actions; each says whether there was a step to take.
    std::function<bool()> undo = [] { return false; };
    std::function<bool()> redo = [] { return false; };
    // The score to its own file (asking for a name when it has none); whether it was written.
    std::function<bool()> save = [] { return false; };
};

enum class KeyEffect {
    None,         // the label refreshes
    Redraw,       // the view changed
    ScoreChanged  // the score changed: unsaved, stale performance, redraw
};

struct KeyBinding {
    std::vector<int> modes;
    int key;
    bool shift = false;
    bool ctrl = false;
    int qPrefix = -1;  // -1 either, 0 only without the Ctrl+Q prefix, 1 only after it
    std::string description;
    std::function<KeyEffect(EditTarget&)> action;
    bool alt = false;
    bool common = false;  // a key every editor uses, in each mode that gives it no other meaning
};

const std::vector<KeyBinding>& keyTable();

// The one key handler, on key release: Alt with the arrows turns pages, Escape and space end
// whatever is going on, the rest goes by the table. The description of the binding that acted is
// left in the state's lastCommand, to name the step undo takes back.
KeyEffect handleKey(EditTarget& target, int key, KeyModifiers modifiers);

// Escape: ends entry, insertion and selection; mode 2.
void escapeRoutine(EditTarget& target);

}  // namespace shinofu::edit
