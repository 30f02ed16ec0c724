// Bindings of symbol editing ("記号編集&Z", "記号表示編集"), the overlay settings ("フォントサイズ／位置")
// the curve dialog ("タイ／スラー曲線設定") and the numeric score settings ("数字譜設定&N").
#pragma once

#include "app/session.h"

namespace shinofu::app {

class MainWindow;

void bindSymbolCommands(MainWindow& window, Session& session);

}  // namespace shinofu::app
