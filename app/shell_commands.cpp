#include "app/shell_commands.h"

#include <QAction>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>

#include "app/command_table.h"
#include "app/language.h"
#include "app/lyric_box.h"
#include "app/main_window.h"
#include "app/note_commands.h"
#include "app/qt_ui_text.h"
#include "app/view_commands.h"
#include "edit/edit_mode.h"
#include "edit/lyrics.h"
#include "edit/score_shape.h"
#include "model/meter.h"
#include "platform/clipboard.h"

namespace shinofu::app {

void bindShellCommands(MainWindow& window, Session& session) {
    const std::string staff = "五線譜設定&S";
    for (const char* meter : {"4/4", "3/4", "2/4", "3/8", "6/8"}) {
        window.bind(commandPath({staff, "拍子", meter}), [&window, &session, meter] {
            finish(window, session, edit::setMeter(session.score, model::meterIndexFromText(meter).value_or(0)));
        });
    }
    for (int parts = 1; parts <= model::kMaxParts; ++parts) {
        window.bind(commandPath({staff, "パートの数 &P", "&" + std::to_string(parts)}), [&window, &session, parts] {
            edit::setPartCount(session.score, session.view, session.edit, parts);
            updatePartDisplayMenu(window, session);
            finish(window, session, false);
        });
    }
    for (const auto& [caption, on] : {std::pair{"表示", true}, std::pair{"非表示", false}}) {
        window.bind(commandPath({"オプション(&O)", "コーラス譜面", "数字符", caption}), [&window, &session, on = on] {
            session.view.chorusNumeric = on;
            window.redraw();
        });
    }

    // The language is chosen for the next start: every window is built in it.
    const std::pair<const char*, LanguageChoice> languages[] = {
        {"システムに合わせる", LanguageChoice::System}, {"日本語", LanguageChoice::Japanese}, {"English", LanguageChoice::English}};
    const std::string languageMenu = commandPath({"オプション(&O)", "言語／Language"});
    const auto tickLanguage = [&window, languageMenu, languages](LanguageChoice kept) {
        for (const auto& [caption, choice] : languages) {
            QAction* entry = window.action(commandPath({languageMenu, caption}));
            entry->setCheckable(true);
            entry->setChecked(kept == choice);
        }
    };
    tickLanguage(readLanguageChoice());
    for (const auto& [caption, choice] : languages) {
        window.bind(commandPath({languageMenu, caption}), [&window, tickLanguage, choice = choice] {
            if (!writeLanguageChoice(choice)) {
                window.dialogs().message(platform::MessageKind::Error, ui::text("ui", "言語の設定を保存できません"));
                tickLanguage(readLanguageChoice());
                return;
            }
            window.setStatusText("message", ui::qtext("ui", "言語は次に起動したときから変わります（Restart Shinofu to change the language）"));
            tickLanguage(choice);
        });
    }

    auto* lyrics = new LyricBox(window, session);
    window.bind(commandPath({"オプション(&O)", "歌詞入力&L", "歌詞入力&L"}), [&window, &session, lyrics] {
        if (!lyrics->start()) {
            window.dialogs().message(platform::MessageKind::Information, ui::text("ui", "歌詞を入れる音符を選んで下さい"));
            return;
        }
        finish(window, session, false);
        lyrics->show();
    });
    window.bind(commandPath({"オプション(&O)", "歌詞入力&L", "歌詞全削除"}), [&window, &session] {
        edit::clearLyrics(session.score, session.score.curPart);
        finish(window, session, false);
    });
    window.bind(commandPath({"pop-up", "貼り付ける"}), [&window, &session, lyrics] {
        if (session.edit.editMode != edit::kLyricMode) return;
        if (const auto text = window.clipboard().text()) lyrics->field()->insert(QString::fromStdString(*text));
    });
    // The note menu's paste takes measures from the clipboard, in front of the picked measure.
    window.bind(commandPath({"音符編集&N", "貼り付け"}), [&window] {
        window.action(commandPath({"小節編集&M", "クリップボードから挿入貼付"}))->trigger();
    });
    window.bind(commandPath({"pop-up", "表示中心移動"}), [&window] {
        // The place the pop-up was opened on comes to the middle of the view.
        const QPoint at = window.popupPoint();
        QScrollArea* scroll = window.scrollArea();
        scroll->horizontalScrollBar()->setValue(at.x() - scroll->viewport()->width() / 2);
        scroll->verticalScrollBar()->setValue(at.y() - scroll->viewport()->height() / 2);
    });
}

}  // namespace shinofu::app
