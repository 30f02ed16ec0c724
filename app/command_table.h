// Every menu entry, pop-up entry and tool button of the main window, by caption. Commands are
// addressed by their caption path ("ファイル&F › 新規作成&N"); an entry without a handler is disabled.
#pragma once

#include <string>
#include <vector>

namespace shinofu::app {

struct MenuEntry {
    std::string caption;
    std::vector<MenuEntry> children;  // a submenu when not empty

    bool isSubmenu() const { return !children.empty(); }
};

const std::vector<MenuEntry>& mainMenu();
const std::vector<MenuEntry>& popupMenu();

struct ToolButton {
    std::string hint;
    std::string label;  // the short text the button shows
};
const std::vector<ToolButton>& toolButtons();

// "ファイル&F" + "新規作成&N" → "ファイル&F › 新規作成&N"
std::string commandPath(const std::vector<std::string>& captions);
constexpr const char* kPathSeparator = " › ";

// What a command path's entry says, without accelerators, with its submenu's name when it has
// one: "音符編集&N › 削除 &D" → "削除", "五線譜設定&S › 拍子 › 3/4" → "拍子 3/4".
std::string commandCaption(const std::string& path);

// A command path in the program's language: "File › &New" in English, unchanged in Japanese.
std::string shownPath(const std::string& path);

// Every path of a leaf entry in the tree, in menu order.
std::vector<std::string> leafPaths(const std::vector<MenuEntry>& menu);

}  // namespace shinofu::app
