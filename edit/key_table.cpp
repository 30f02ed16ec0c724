#include "edit/key_table.h"

#include <algorithm>

#include "edit/beaming.h"
#include "edit/edit_mode.h"
#include "edit/measure_commands.h"
#include "edit/note_commands.h"
#include "edit/selection.h"
#include "edit/tie_slur.h"
#include "render/page_geometry.h"
#include "render/view_commands.h"
#include "platform/ui_text.h"

namespace shinofu::edit {
namespace {

const std::vector<int> kEdit = {kEditMode};
const std::vector<int> kNoteEdit = {kNoteEditMode};
const std::vector<int> kEntry = {kNewMode, kInsertMode, kInsertOnceMode};
// The pitch of letter C in each input octave: c0, c1, c2.
constexpr int kOctaveC[] = {8, 15, 22};

KeyEffect changedIf(bool changed) { return changed ? KeyEffect::ScoreChanged : KeyEffect::Redraw; }

KeyEffect shiftView(EditTarget& t, int direction) {
    render::PageGeometry geometry(t.score, t.view, t.tables);
    geometry.selectLine(1);
    render::viewShift(t.view, direction, geometry.sixteenthWidth());
    return KeyEffect::Redraw;
}

// A tie or slur operation ends the pick: back to mode 2 with nothing selected.
KeyEffect tieSlur(EditTarget& t, TieSlurOp op) {
    const bool changed = applyTieSlur(t.score, t.state, op);
    t.state.editMode = kEditMode;
    clearSelection(t.score, t.state);
    return changedIf(changed);
}

KeyEffect extendSelection(EditTarget& t) {
    bool seenSelected = false;
    for (model::TNote* note = t.score.part(t.score.curPart).partHead; note && !note->isEndMarker(); note = note->next) {
        if (note->selected) {
            seenSelected = true;
        } else if (seenSelected) {
            note->selected = true;
            break;
        }
    }
    t.state.qPrefix = false;
    return KeyEffect::Redraw;
}

KeyEffect chooseLength(EditTarget& t, int len) {
    t.state.inputLen = len;
    return KeyEffect::None;
}

void add(std::vector<KeyBinding>& table, std::vector<int> modes, int key, bool shift, bool ctrl, int q, const char* text,
         std::function<KeyEffect(EditTarget&)> action) {
    table.push_back({std::move(modes), key, shift, ctrl, q, text, std::move(action)});
}

// Edit mode: the arrows move the view.
void addEditKeys(std::vector<KeyBinding>& table) {
    add(table, kEdit, 'A', false, true, -1, UI_TEXT("keys", "追加モード"), [](EditTarget& t) {
        startAddMode(t.score, t.view, t.state, t.tables);
        return KeyEffect::Redraw;
    });
    add(table, kEdit, kKeyDelete, false, false, -1, UI_TEXT("keys", "削除（表示のみ）"), [](EditTarget& t) {
        t.state.editMode = kDeleteLabelMode;
        return KeyEffect::None;
    });
    const std::pair<int, int> arrows[] = {{kKeyRight, 1}, {kKeyUp, 2}, {kKeyLeft, 3}, {kKeyDown, 4}};
    for (auto [key, direction] : arrows) {
        add(table, kEdit, key, false, false, -1, UI_TEXT("keys", "表示位置の移動"), [direction = direction](EditTarget& t) { return shiftView(t, direction); });
        add(table, kEdit, key, true, false, -1, UI_TEXT("keys", "表示位置の大きな移動"),
            [direction = direction](EditTarget& t) { return shiftView(t, direction + 4); });
    }
}

// Measure editing: copy, overwrite paste and cut of the picked measures.
void addMeasureKeys(std::vector<KeyBinding>& table) {
    const std::vector<int> measureEdit = {kMeasureEditMode};
    add(table, measureEdit, 'C', false, true, -1, UI_TEXT("keys", "小節コピー"), [](EditTarget& t) {
        copyMeasures(t);
        return KeyEffect::Redraw;
    });
    add(table, measureEdit, 'V', false, true, -1, UI_TEXT("keys", "小節上書貼付"), [](EditTarget& t) { return changedIf(overwritePaste(t, t.snapshot)); });
    add(table, measureEdit, 'Y', false, true, -1, UI_TEXT("keys", "小節切り取り"), [](EditTarget& t) { return changedIf(cutMeasures(t, t.snapshot)); });
}

// Note editing: the picked note and the selection.
void addNoteEditKeys(std::vector<KeyBinding>& table) {
    add(table, kNoteEdit, kKeyUp, true, false, -1, UI_TEXT("keys", "選択音符を1オクターブ上へ"),
        [](EditTarget& t) { return changedIf(shiftOctave(t.score, t.state, true)); });
    add(table, kNoteEdit, kKeyDown, true, false, -1, UI_TEXT("keys", "選択音符を1オクターブ下へ"),
        [](EditTarget& t) { return changedIf(shiftOctave(t.score, t.state, false)); });
    add(table, kNoteEdit, kKeyInsert, false, false, -1, UI_TEXT("keys", "後ろに挿入（挿入モード）"),
        [](EditTarget& t) { return changedIf(startInsertAfter(t.score, t.state)); });
    add(table, kNoteEdit, kKeyDelete, false, false, -1, UI_TEXT("keys", "音符を削除"),
        [](EditTarget& t) { return changedIf(deleteAndReflow(t.score, t.view, t.state)); });
    add(table, kNoteEdit, kKeyLeft, false, false, -1, UI_TEXT("keys", "長さを半分に"), [](EditTarget& t) { return changedIf(halveLength(t.score, t.state)); });
    add(table, kNoteEdit, kKeyUp, false, false, -1, UI_TEXT("keys", "音高を1段上へ"), [](EditTarget& t) { return changedIf(stepPitch(t.score, t.state, true)); });
    add(table, kNoteEdit, kKeyRight, false, false, -1, UI_TEXT("keys", "長さを倍に"), [](EditTarget& t) { return changedIf(doubleLength(t.score, t.state)); });
    add(table, kNoteEdit, kKeyDown, false, false, -1, UI_TEXT("keys", "音高を1段下へ"), [](EditTarget& t) { return changedIf(stepPitch(t.score, t.state, false)); });
    add(table, kNoteEdit, '0', false, false, -1, UI_TEXT("keys", "休符に"), [](EditTarget& t) { return changedIf(noteToRest(t.state)); });
    add(table, kNoteEdit, 'B', false, true, -1, UI_TEXT("keys", "棒上下変更"), [](EditTarget& t) { return changedIf(flipStems(t.score)); });
    add(table, kNoteEdit, 'C', false, true, -1, UI_TEXT("keys", "選択音符を1オクターブ下へ"),
        [](EditTarget& t) { return changedIf(shiftOctave(t.score, t.state, false)); });
    add(table, kNoteEdit, 'D', false, true, 0, UI_TEXT("keys", "長さを倍に"), [](EditTarget& t) { return changedIf(doubleLength(t.score, t.state)); });
    add(table, kNoteEdit, 'D', false, true, 1, UI_TEXT("keys", "選択を次の音符へ広げる"), extendSelection);
    add(table, kNoteEdit, 'E', false, true, -1, UI_TEXT("keys", "音高を1段上へ"), [](EditTarget& t) { return changedIf(stepPitch(t.score, t.state, true)); });
    add(table, kNoteEdit, 'Q', false, true, -1, UI_TEXT("keys", "次のCtrlキーを第2の意味に"), [](EditTarget& t) {
        t.state.qPrefix = true;
        return KeyEffect::None;
    });
    add(table, kNoteEdit, 'R', false, true, 0, UI_TEXT("keys", "選択音符を1オクターブ上へ"),
        [](EditTarget& t) { return changedIf(shiftOctave(t.score, t.state, true)); });
    add(table, kNoteEdit, 'R', false, true, 1, UI_TEXT("keys", "タイ／スラー解除"), [](EditTarget& t) {
        t.state.qPrefix = false;
        return tieSlur(t, TieSlurOp::TieOrSlurClear);
    });
    add(table, kNoteEdit, 'S', false, true, 0, UI_TEXT("keys", "長さを半分に"), [](EditTarget& t) { return changedIf(halveLength(t.score, t.state)); });
    add(table, kNoteEdit, 'S', false, true, 1, UI_TEXT("keys", "スラー設定"), [](EditTarget& t) {
        t.state.qPrefix = false;
        return tieSlur(t, TieSlurOp::SlurSet);
    });
    add(table, kNoteEdit, 'T', false, true, 0, UI_TEXT("keys", "付点の切り替え"),
        [](EditTarget& t) { return changedIf(changeDot(t.score, t.state, DotChange::Toggle)); });
    add(table, kNoteEdit, 'T', false, true, 1, UI_TEXT("keys", "タイ設定"), [](EditTarget& t) {
        t.state.qPrefix = false;
        return tieSlur(t, TieSlurOp::TieSet);
    });
    add(table, kNoteEdit, 'W', false, true, 0, UI_TEXT("keys", "連桁設定"), [](EditTarget& t) { return changedIf(setBeams(t.score)); });
    // Keeps the prefix, so a following Ctrl+T still sets a tie.
    add(table, kNoteEdit, 'W', false, true, 1, UI_TEXT("keys", "連桁解除"), [](EditTarget& t) { return changedIf(clearBeams(t.score)); });
    add(table, kNoteEdit, 'X', false, true, -1, UI_TEXT("keys", "音高を1段下へ"), [](EditTarget& t) { return changedIf(stepPitch(t.score, t.state, false)); });
    add(table, kNoteEdit, 'Z', false, true, -1, UI_TEXT("keys", "選択保持"), [](EditTarget& t) {
        t.state.selectionHold = true;
        return KeyEffect::None;
    });
}

// Entry: letters enter pitches in the key's octave, digits choose the value.
void addEntryKeys(std::vector<KeyBinding>& table) {
    for (int letter = 0; letter < 7; ++letter) {
        const char key = "CDEFGAB"[letter];
        for (bool shift : {false, true}) {
            for (bool ctrl : {false, true}) {
                if (shift && ctrl) continue;
                add(table, kEntry, key, shift, ctrl, -1, UI_TEXT("keys", "音符を入力"), [letter](EditTarget& t) {
                    const uint8_t pitch = static_cast<uint8_t>(kOctaveC[t.state.inputOctave] + letter);
                    return changedIf(enterPitch(t.score, t.state, pitch));
                });
            }
        }
    }
    add(table, kEntry, '0', false, false, -1, UI_TEXT("keys", "休符を入力"), [](EditTarget& t) { return changedIf(enterPitch(t.score, t.state, model::kRest)); });
    for (int key : {'1', 'W'}) {
        add(table, kEntry, key, false, false, -1, UI_TEXT("keys", "1小節の長さ"), [](EditTarget& t) { return chooseLength(t, measureInputLength(t.score)); });
    }
    const std::pair<int, int> values[] = {{'2', 24}, {'3', 36}, {'4', 12}, {'5', 18}, {'8', 6}, {'9', 9}, {'S', 3}};
    for (auto [key, len] : values) {
        add(table, kEntry, key, false, false, -1, UI_TEXT("keys", "音価を選ぶ"), [len = len](EditTarget& t) { return chooseLength(t, len); });
    }
}

bool bound(const std::vector<KeyBinding>& table, int mode, int key, bool shift, bool ctrl) {
    return std::any_of(table.begin(), table.end(), [&](const KeyBinding& b) {
        return b.key == key && b.shift == shift && b.ctrl == ctrl && !b.alt &&
               std::find(b.modes.begin(), b.modes.end(), mode) != b.modes.end();
    });
}

// Undo and redo: Alt+Backspace and Alt+Shift+Backspace in every mode; and the keys every editor
// uses (Ctrl+Z, Ctrl+Shift+Z, Ctrl+Y, Ctrl+S) in the modes that give them no other meaning.
void addCommonEditorKeys(std::vector<KeyBinding>& table) {
    const std::vector<int>& every = everyEditMode();
    const auto undo = [](EditTarget& t) { return t.undo() ? KeyEffect::Redraw : KeyEffect::None; };
    const auto redo = [](EditTarget& t) { return t.redo() ? KeyEffect::Redraw : KeyEffect::None; };
    const auto save = [](EditTarget& t) { return t.save() ? KeyEffect::Redraw : KeyEffect::None; };
    table.push_back({every, kKeyBackspace, false, false, -1, UI_TEXT("keys", "元に戻す"), undo, true});
    table.push_back({every, kKeyBackspace, true, false, -1, UI_TEXT("keys", "やり直し"), redo, true});
    struct Common {
        int key;
        bool shift;
        const char* description;
        std::function<KeyEffect(EditTarget&)> action;
    };
    for (const Common& common : {Common{'Z', false, UI_TEXT("keys", "元に戻す"), undo}, Common{'Z', true, UI_TEXT("keys", "やり直し"), redo},
                                 Common{'Y', false, UI_TEXT("keys", "やり直し"), redo}, Common{'S', false, UI_TEXT("keys", "上書き保存"), save}}) {
        std::vector<int> free;
        for (int mode : every) {
            if (!bound(table, mode, common.key, common.shift, true)) free.push_back(mode);
        }
        add(table, free, common.key, common.shift, true, -1, common.description, common.action);
        table.back().common = true;
    }
}

std::vector<KeyBinding> buildTable() {
    std::vector<KeyBinding> table;
    addEditKeys(table);
    addMeasureKeys(table);
    addNoteEditKeys(table);
    addEntryKeys(table);
    addCommonEditorKeys(table);
    return table;
}

bool matches(const KeyBinding& binding, int mode, int key, KeyModifiers modifiers, bool qPrefix) {
    if (binding.key != key || binding.shift != modifiers.shift || binding.ctrl != modifiers.ctrl ||
        binding.alt != modifiers.alt) {
        return false;
    }
    if (binding.qPrefix >= 0 && binding.qPrefix != (qPrefix ? 1 : 0)) return false;
    return std::find(binding.modes.begin(), binding.modes.end(), mode) != binding.modes.end();
}

KeyEffect act(const KeyBinding& binding, EditTarget& target) {
    target.state.lastCommand = ui::text("keys", binding.description);
    return binding.action(target);
}

}  // namespace

const std::vector<KeyBinding>& keyTable() {
    static const std::vector<KeyBinding> table = buildTable();
    return table;
}

void escapeRoutine(EditTarget& target) {
    endEntry(target.score, target.state);
    target.score.recomputePositions();
}

KeyEffect handleKey(EditTarget& target, int key, KeyModifiers modifiers) {
    if (key == 0) return KeyEffect::None;
    EditState& state = target.state;
    const bool entry = state.editMode == kNewMode || state.editMode == kInsertMode || state.editMode == kInsertOnceMode;
    if (entry) state.inputOctave = modifiers.shift ? 2 : modifiers.ctrl ? 0 : 1;
    const auto& table = keyTable();
    const auto binding = std::find_if(table.begin(), table.end(), [&](const KeyBinding& b) {
        return matches(b, state.editMode, key, modifiers, state.qPrefix);
    });
    if (modifiers.alt) {
        if (binding != table.end()) return act(*binding, target);
        if (key == kKeyDown) render::nextPage(target.view, target.tables.pageCount);
        if (key == kKeyUp) render::previousPage(target.view);
        return key == kKeyDown || key == kKeyUp ? KeyEffect::Redraw : KeyEffect::None;
    }
    if (key == kKeyEscape) {
        const bool insertion = state.editMode == kInsertMode;
        escapeRoutine(target);
        return insertion ? KeyEffect::ScoreChanged : KeyEffect::Redraw;
    }
    if (key == kKeySpace) {
        state.editMode = kEditMode;
        state.selectionHold = false;
        state.qPrefix = false;
        clearSelection(target.score, state);
        return KeyEffect::Redraw;
    }
    return binding != table.end() ? act(*binding, target) : KeyEffect::None;
}

}  // namespace shinofu::edit
