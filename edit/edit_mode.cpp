#include "edit/edit_mode.h"

#include <array>

namespace shinofu::edit {

std::string editModeName(int mode) {
    static constexpr std::array<const char*, 27> kNames = {
        "-",        "表示",     "編集",     "小節編集", "音符編集", "記号編集", "新規",     "挿入",   "挿入2",
        "削除",     "複写",     "貼付",     "小節Undo", "小節挿入", "小節切取", "小節削除", "小節複写", "小節貼付",
        "pnonchm",  "ヘルプ",   "曲データ", "演奏設定", "歌詞入力", "数字符設定", "",       "",       "印刷表示"};
    return mode >= 0 && mode < static_cast<int>(kNames.size()) ? kNames[mode] : "";
}

std::string editModeLabel(int mode) { return "<" + editModeName(mode) + ">"; }

const std::vector<int>& everyEditMode() {
    static const std::vector<int> modes = {kNoMode,         kEditMode,        kMeasureEditMode,   kNoteEditMode,
                                           kSymbolEditMode, kNewMode,         kInsertMode,        kInsertOnceMode,
                                           kDeleteLabelMode, kHelpMode,       kSongDataMode,      kPlaybackSettingsMode,
                                           kLyricMode,      kOverlaySettingsMode, kOverwriteMode, kPointerInsertMode,
                                           kPrintViewMode};
    return modes;
}

}  // namespace shinofu::edit
