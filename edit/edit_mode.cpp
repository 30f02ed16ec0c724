#include "edit/edit_mode.h"

#include <array>

#include "platform/ui_text.h"

namespace shinofu::edit {

std::string editModeName(int mode) {
    static constexpr std::array<const char*, 27> kNames = {
        "-", UI_TEXT("ui", "表示"), UI_TEXT("ui", "編集"), UI_TEXT("ui", "小節編集"),
        UI_TEXT("ui", "音符編集"), UI_TEXT("ui", "記号編集"), UI_TEXT("ui", "新規"), UI_TEXT("ui", "挿入"),
        UI_TEXT("ui", "挿入2"), UI_TEXT("ui", "削除"), UI_TEXT("ui", "複写"), UI_TEXT("ui", "貼付"),
        UI_TEXT("ui", "小節Undo"), UI_TEXT("ui", "小節挿入"), UI_TEXT("ui", "小節切取"), UI_TEXT("ui", "小節削除"),
        UI_TEXT("ui", "小節複写"), UI_TEXT("ui", "小節貼付"), "pnonchm", UI_TEXT("ui", "ヘルプ"),
        UI_TEXT("ui", "曲データ"), UI_TEXT("ui", "演奏設定"), UI_TEXT("ui", "歌詞入力"), UI_TEXT("ui", "数字符設定"),
        "", "", UI_TEXT("ui", "印刷表示"),
    };
    return mode >= 0 && mode < static_cast<int>(kNames.size()) ? kNames[mode] : "";
}

std::string editModeLabel(int mode) { return "<" + ui::text("ui", editModeName(mode)) + ">"; }

const std::vector<int>& everyEditMode() {
    static const std::vector<int> modes = {kNoMode,         kEditMode,        kMeasureEditMode,   kNoteEditMode,
                                           kSymbolEditMode, kNewMode,         kInsertMode,        kInsertOnceMode,
                                           kDeleteLabelMode, kHelpMode,       kSongDataMode,      kPlaybackSettingsMode,
                                           kLyricMode,      kOverlaySettingsMode, kOverwriteMode, kPointerInsertMode,
                                           kPrintViewMode};
    return modes;
}

}  // namespace shinofu::edit
