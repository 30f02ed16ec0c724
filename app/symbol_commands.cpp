#include "app/symbol_commands.h"

#include "app/command_table.h"
#include "app/curve_dialog.h"
#include "app/main_window.h"
#include "app/note_commands.h"
#include "app/numeric_settings_window.h"
#include "app/symbol_dialog.h"
#include "edit/edit_mode.h"

namespace shinofu::app {

void bindSymbolCommands(MainWindow& window, Session& session) {
    auto symbolEditing = [&window, &session] {
        session.edit.editMode = edit::kSymbolEditMode;
        finish(window, session, false);
    };
    window.bind(commandPath({"五線譜設定&S", "記号編集&Z"}), symbolEditing);
    window.bind(commandPath({"表示&V", "記号表示編集"}), symbolEditing);
    window.bind(commandPath({"オプション(&O)", "フォントサイズ／位置"}), [&window, &session] {
        window.findChild<SymbolDialog*>("TsymEditForm")->editOverlay();
        finish(window, session, false);
    });
    window.bind(commandPath({"オプション(&O)", "数字譜設定&N"}), [&window] {
        auto* settings = window.findChild<NumericSettingsWindow*>("TNScoreFrm");
        settings->refresh();
        settings->show();
        settings->raise();
    });
    window.bind(commandPath({"音符編集&N", "タイ、スラー", "タイ／スラー曲線設定"}),
                [&window] { window.findChild<CurveDialog*>("TslurForm")->open(); });
}

}  // namespace shinofu::app
