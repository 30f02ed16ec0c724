// Bindings of "画面ファイル保存&C", "プリンター設定(&U)", "画面印刷(&P)" and "譜面設定データ表示".
#pragma once

#include "app/session.h"

namespace shinofu::app {

class MainWindow;

void bindOutputCommands(MainWindow& window, Session& session);

// The memo window's "譜面設定データ表示" lines: spacing, rows and the relative note size.
std::vector<std::string> layoutSettingsLines(const Session& session);

}  // namespace shinofu::app
