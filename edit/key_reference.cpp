#include "edit/key_reference.h"

#include <algorithm>
#include <map>
#include <vector>
#include <sstream>

#include "edit/edit_mode.h"
#include "edit/key_table.h"

namespace shinofu::edit {
namespace {

std::string keyName(int key) {
    switch (key) {
        case kKeyLeft: return "←";
        case kKeyUp: return "↑";
        case kKeyRight: return "→";
        case kKeyDown: return "↓";
        case kKeyBackspace: return "Backspace";
        case kKeyInsert: return "Insert";
        case kKeyDelete: return "Delete";
        default: return std::string(1, static_cast<char>(key));
    }
}

std::string modifiers(const KeyBinding& binding) {
    std::string text;
    if (binding.qPrefix == 1) text += "Ctrl+Q, ";
    if (binding.ctrl) text += "Ctrl+";
    if (binding.alt) text += "Alt+";
    if (binding.shift) text += "Shift+";
    return text;
}

// Keys with the same modifiers and the same command share a row: "C D E F G A B".
struct Row {
    std::string modifiers;
    std::string description;
    std::vector<std::string> keys;
};

}  // namespace

std::string keyReferenceMarkdown() {
    std::ostringstream out;
    out << "| Key | In every mode |\n|---|---|\n"
        << "| Escape | back to editing: ends entry, picking and lyric entry |\n"
        << "| Space | back to editing with nothing selected |\n"
        << "| Alt+↓, Alt+↑ | next page, previous page |\n";
    // The modes in the order the table first names them, each with its keys in table order.
    std::vector<int> modes;
    std::map<int, std::vector<Row>> rows;
    for (const KeyBinding& binding : keyTable()) {
        if (binding.modes == everyEditMode() || binding.common) {
            out << "| " << modifiers(binding) << keyName(binding.key) << " | " << binding.description
                << (binding.common ? " (where the mode gives the key no other meaning)" : "") << " |\n";
            continue;
        }
        for (int mode : binding.modes) {
            if (!rows.count(mode)) modes.push_back(mode);
            auto& list = rows[mode];
            const std::string prefix = modifiers(binding);
            auto row = std::find_if(list.begin(), list.end(), [&](const Row& r) {
                return r.modifiers == prefix && r.description == binding.description;
            });
            if (row == list.end()) row = list.insert(list.end(), Row{prefix, binding.description, {}});
            const std::string name = keyName(binding.key);
            if (std::find(row->keys.begin(), row->keys.end(), name) == row->keys.end()) row->keys.push_back(name);
        }
    }
    for (int mode : modes) {
        out << "\n| Key | " << editModeLabel(mode) << " |\n|---|---|\n";
        for (const Row& row : rows[mode]) {
            out << "| ";
            for (size_t i = 0; i < row.keys.size(); ++i) out << (i ? " " : "") << row.modifiers << row.keys[i];
            out << " | " << row.description << " |\n";
        }
    }
    return out.str();
}

}  // namespace shinofu::edit
