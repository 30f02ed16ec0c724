#include "app/practice_commands.h"

#include "app/qt_ui_text.h"
#include <QAction>
#include <QActionGroup>
#include <QStatusBar>
#include <QToolButton>

#include "app/command_table.h"
#include "app/main_window.h"

namespace shinofu::app {
namespace {

struct PracticeSwitch {
    const char* caption;  // the menu's
    const char* name;     // the play bar button's object name
    const char* face;     // what the button shows: one sign, the bar has little room
    const char* tip;
    bool midi::PracticeSettings::*setting;
};

constexpr PracticeSwitch kSwitches[] = {
    {"ループ（選んだ小節）", "loop", "↺",
     UI_TEXT("ui", "ループ：選んだ小節（小節編集では Shift で範囲）を止めるまで繰り返す"), &midi::PracticeSettings::loop},
    {"カウントイン（1小節）", "countIn", UI_TEXT("ui", "予"),
     UI_TEXT("ui", "カウントイン：演奏の前に1小節、拍を鳴らす"), &midi::PracticeSettings::countIn},
    {"メトロノーム", "click", UI_TEXT("ui", "拍"), UI_TEXT("ui", "メトロノーム：演奏中に拍を鳴らす"), &midi::PracticeSettings::click},
};

// The play-along's accompaniment: one of three, ticked in the menu.
constexpr std::pair<const char*, midi::Accompaniment> kAccompaniments[] = {
    {"伴奏なし", midi::Accompaniment::None},
    {"伴奏：ほかのパート", midi::Accompaniment::OtherParts},
    {"伴奏：全パート（小さく）", midi::Accompaniment::AllPartsSoftly},
};

void bindAccompanimentChoice(MainWindow& window) {
    auto* group = new QActionGroup(&window);
    for (const auto& [caption, kind] : kAccompaniments) {
        QAction* entry = window.action(commandPath({"オプション(&O)", "練習", caption}));
        entry->setCheckable(true);
        entry->setChecked(window.practice().accompaniment == kind);
        group->addAction(entry);
        window.bind(commandPath({"オプション(&O)", "練習", caption}), [&window, kind = kind] {
            window.practice().accompaniment = kind;
            writePracticeChoices(window.practice());
        });
    }
}

}  // namespace

void bindPracticeCommands(MainWindow& window) {
    bindAccompanimentChoice(window);
    int place = 2;  // after the play bar and the speed box
    for (const PracticeSwitch& item : kSwitches) {
        QAction* entry = window.action(commandPath({"オプション(&O)", "練習", item.caption}));
        auto* button = new QToolButton(&window);
        button->setObjectName(QString("practice_") + item.name);
        button->setText(ui::qtext("ui", item.face));
        button->setFixedWidth(button->fontMetrics().height() + 10);
        button->setToolTip(ui::qtext("ui", item.tip));
        button->setCheckable(true);
        button->setAutoRaise(false);
        entry->setCheckable(true);
        const bool on = window.practice().playback.*item.setting;
        entry->setChecked(on);
        button->setChecked(on);
        window.statusBar()->insertWidget(place++, button);
        // The menu's tick and the button follow each other and the kept choice.
        window.bind(commandPath({"オプション(&O)", "練習", item.caption}), [&window, entry, button, setting = item.setting] {
            window.practice().playback.*setting = entry->isChecked();
            button->setChecked(entry->isChecked());
            writePracticeChoices(window.practice());
        });
        QObject::connect(button, &QToolButton::clicked, entry, [entry](bool checked) {
            if (entry->isChecked() != checked) entry->trigger();
        });
    }
}

}  // namespace shinofu::app
