// The shell's file commands: open, save, save score settings, and the window title they set.
#pragma once

#include <filesystem>
#include <string>

#include "app/session.h"
#include "platform/dialogs.h"
#include "platform/file_io.h"
#include "platform/ui_text.h"

namespace shinofu::app {

enum class OpenKind {
    CurrentFormat,        // "ファイル読込&R"
    OldFormat,            // "旧ファイル（．ｇｄ２）読込"
    WithPerformanceData,  // "演奏データ付五線譜面" › "読み込み"
};

// Shows the open dialog and reads the chosen file; false when cancelled or unreadable.
// The saved-flag guard is the caller's.
bool openScoreCommand(Session& session, platform::Dialogs& dialogs, OpenKind kind);

// Reads a score named on the command line: no dialog, and it does not become the current file.
bool openScoreAtStart(Session& session, platform::Dialogs& dialogs, const std::filesystem::path& file);

// "譜面の保存&S" (plain) or "演奏データ付五線譜面" › "保存" (with playing times and velocities).
bool saveScoreCommand(Session& session, platform::Dialogs& dialogs, bool withPerformanceData);

// "上書き保存": the score to its own file in that file's format (.gd4, or .gd3 with the performance
// data) without a dialog; a new, imported or older (.gd2) score asks for a name as 譜面の保存 does.
bool overwriteSaveCommand(Session& session, platform::Dialogs& dialogs);

// "譜面設定保存": the score-settings file in the companion folder.
bool saveScoreSettingsCommand(Session& session, platform::Dialogs& dialogs);

// "数字符データ保存": the current part's fingering grid as a ".dt" file.
bool saveFingeringGridCommand(Session& session, platform::Dialogs& dialogs);
// Writes the grid of a part; false with the error filled on failure.
bool writeFingeringGrid(const std::filesystem::path& file, Session& session, int part, platform::IoError& error);

// The main window's title for a score file: its name without folder and extension, and the version.
std::string windowTitleFor(const std::filesystem::path& file);
constexpr const char* kMainWindowCaption = UI_TEXT("ui", "Shinofu 篠笛譜面作成支援");

}  // namespace shinofu::app
