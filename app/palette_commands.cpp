#include "app/palette_commands.h"

#include <QWidget>

#include "app/command_table.h"
#include "app/main_window.h"

namespace shinofu::app {

void bindPaletteCommands(MainWindow& window) {
    QWidget* palette = window.findChild<QWidget*>("TOni2Form");
    QWidget* panel = window.findChild<QWidget*>("ToniForm");
    auto show = [](QWidget* widget, bool on) {
        return [widget, on] {
            widget->setVisible(on);
            if (on) widget->raise();
        };
    };
    window.bind(commandPath({"表示&V", "音符入力パネル表示", "表示"}), show(panel, true));
    window.bind(commandPath({"表示&V", "音符入力パネル表示", "非表示"}), show(panel, false));
    window.bind(commandPath({"表示&V", "音符選択フォーム表示", "表示"}), show(palette, true));
    window.bind(commandPath({"表示&V", "音符選択フォーム表示", "非表示"}), show(palette, false));
    window.bindTool("『音符選択』フォーム表示・非表示", [palette] {
        palette->setVisible(!palette->isVisible());
        if (palette->isVisible()) palette->raise();
    });
    window.bind(commandPath({"pop-up", "音符パネル表示／非表示"}), [palette, panel] {
        const bool on = !palette->isVisible();
        panel->setVisible(on);  // the panel first, so a docked palette takes its place beside it
        palette->setVisible(on);
    });
}

}  // namespace shinofu::app
