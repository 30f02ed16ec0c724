#include "app/view_commands.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QStatusBar>
#include <QToolButton>
#include <QWheelEvent>

#include "app/command_table.h"
#include "app/main_window.h"
#include "app/qt_ui_text.h"
#include "app/view_colours.h"
#include "edit/edit_mode.h"
#include "render/page_tables.h"
#include "render/view_commands.h"

namespace shinofu::app {
namespace {

constexpr int kFramePadding = 12;  // pixels the whole-page frame keeps clear of the tool panel
const std::string kView = "表示&V";
constexpr const char* kToFixedCount = "小節数固定表示へ";
constexpr const char* kToVariableCount = "小節数可変表示へ";
constexpr const char* kToVariableMode = "表示を可変モード（２）に。";
constexpr const char* kToFixedMode = "表示を固定モード（１）に。";
constexpr const char* kWholePage = "全体表示／通常表示";
constexpr const char* kPageButton = "→(上の方をクリック)次のページに。←(下の方をクリック)前のページに戻る。";

QString qt(const std::string& text) { return QString::fromStdString(text); }

int pageCountOf(const Session& session) { return render::buildPageTables(session.score, session.view).pageCount; }

// Turns the page when Shift is held: away from the user goes back, towards the user forward.
class PageWheel : public QObject {
public:
    PageWheel(MainWindow& window, Session& session) : QObject(&window), window_(window), session_(session) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Wheel) return QObject::eventFilter(watched, event);
        auto* wheel = static_cast<QWheelEvent*>(event);
        if (!(wheel->modifiers() & Qt::ShiftModifier)) return false;
        const int amount = wheel->angleDelta().y() != 0 ? wheel->angleDelta().y() : wheel->angleDelta().x();
        const bool turned = amount > 0 ? render::previousPage(session_.view)
                                       : amount < 0 && render::nextPage(session_.view, pageCountOf(session_));
        if (turned) {
            window_.scrollToTop();
            window_.redraw();
            window_.updateStatus();
        }
        return true;
    }

private:
    MainWindow& window_;
    Session& session_;
};

void showModeButtons(MainWindow& window, const Session& session) {
    window.tool(kToVariableMode)->setVisible(session.view.fixedMode);
    window.tool(kToFixedMode)->setVisible(!session.view.fixedMode);
    window.tool(kToFixedCount)->setVisible(session.view.printView);
    window.tool(kToVariableCount)->setVisible(!session.view.printView);
}

void setPrintView(MainWindow& window, Session& session, bool on) {
    session.view.printView = on;
    session.edit.editMode = on ? edit::kPrintViewMode : edit::kEditMode;
    session.view.curPage = std::min(session.view.curPage, pageCountOf(session));
    showModeButtons(window, session);
    window.redraw();
}

void bindColours(MainWindow& window, Session& session, const char* menu, const std::vector<ColourChoice>& choices,
                 model::Colour render::ViewState::*target) {
    for (const ColourChoice& choice : choices) {
        window.bind(commandPath({kView, menu, choice.caption}), [&window, &session, target, colour = choice.colour] {
            session.view.*target = colour;
            window.redraw();
        });
    }
}

void bindGrid(MainWindow& window, Session& session) {
    const std::string grid = commandPath({kView, "グリッド表示"});
    const std::string toggle = grid + kPathSeparator + "×グリッド表示&E";
    window.bind(toggle, [&window, &session, toggle] {
        session.view.gridOn = !session.view.gridOn;
        window.action(toggle)->setText(session.view.gridOn ? ui::qtext("menu", "○グリッド表示&E") : ui::qtext("menu", "×グリッド表示&E"));
        window.redraw();
    });
    const std::pair<const char*, int> divisions[] = {{"４分グリッド&4", 1},     {"８分グリッド&8", 2},
                                                     {"１６分グリッド&1", 4},   {"４分の３グリッド&X", 3},
                                                     {"８分の３グリッド&Y", 6}, {"１６分の３グリッド&Z", 12}};
    for (const auto& [caption, division] : divisions) {
        window.bind(grid + kPathSeparator + caption, [&window, &session, division = division] {
            session.view.gridDiv = division;
            window.redraw();
        });
    }
}

void bindPages(MainWindow& window, Session& session) {
    auto turn = [&window, &session](bool forward) {
        if (forward) {
            render::nextPage(session.view, pageCountOf(session));
        } else {
            render::previousPage(session.view);
        }
        session.refreshDerivedState();
        window.redraw();
    };
    window.bind(commandPath({kView, "ページ", "次のページ"}), [turn] { turn(true); });
    window.bind(commandPath({kView, "ページ", "前のページ"}), [turn] { turn(false); });
    window.bindTool(kPageButton, [&window, turn] {
        QToolButton* button = window.tool(kPageButton);
        turn(button->mapFromGlobal(QCursor::pos()).y() < button->height() / 2);
    });
}

void bindZoom(MainWindow& window, Session& session) {
    window.bindTool(kWholePage, [&window, &session] {
        const int available = window.clientHeight() - window.statusBar()->height() - kFramePadding;
        render::setAllPageView(session.view, !session.view.allPageView, available);
        window.redraw();
    });
    window.bind(commandPath({kView, "全ページ表示"}), [&window, &session] {
        render::setAllPageView(session.view, true, window.clientHeight());
        window.redraw();
    });
    window.bind(commandPath({kView, "ページ幅表示"}), [&window, &session] {
        render::setAllPageView(session.view, false, 0);
        window.redraw();
    });
    window.bindTool(kToVariableMode, [&window, &session] {
        render::setVariableMode(session.view);
        showModeButtons(window, session);
        window.redraw();
    });
    window.bindTool(kToFixedMode, [&window, &session] {
        render::setFixedMode(session.view, session.config);
        showModeButtons(window, session);
        window.redraw();
    });
    window.bind(commandPath({kView, "印刷用表示"}), [&window, &session] { setPrintView(window, session, !session.view.printView); });
    window.bindTool(kToVariableCount, [&window, &session] { setPrintView(window, session, true); });
    window.bindTool(kToFixedCount, [&window, &session] { setPrintView(window, session, false); });
}

void bindChorusAndParts(MainWindow& window, Session& session) {
    const std::string chorus = commandPath({"オプション(&O)", "コーラス譜面"});
    const std::pair<const char*, int> pairs[] = {{"1+2", 1}, {"1+2 3+4", 2}, {"解除", 0}};
    for (const auto& [caption, count] : pairs) {
        window.bind(chorus + kPathSeparator + caption, [&window, &session, count = count] {
            render::setChorusDisplay(session.score, count);
            session.view.curPage = std::min(session.view.curPage, pageCountOf(session));
            window.redraw();
        });
    }
    const std::string modes = commandPath({kView, "パート表示設定モード切換"});
    const char* const modeCaptions[] = {"数字符表示パート選択", "数字符表示／非表示", "パート譜表示／非表示",
                                        "ト音記号/ヘ音記号"};
    for (int mode = 0; mode < 4; ++mode) {
        window.bind(modes + kPathSeparator + modeCaptions[mode], [&window, &session, mode] {
            session.partDisplayMode = mode;
            updatePartDisplayMenu(window, session);
        });
    }
    for (int part = 1; part <= model::kMaxParts; ++part) {
        window.bind(commandPath({kView, "パート表示設定", std::to_string(part)}), [&window, &session, part] {
            applyPartDisplayEntry(session, part);
            session.view.curPage = std::min(session.view.curPage, pageCountOf(session));
            updatePartDisplayMenu(window, session);
            window.redraw();
        });
    }
    updatePartDisplayMenu(window, session);
}

}  // namespace

void updatePartDisplayMenu(MainWindow& window, const Session& session) {
    const char* const titles[] = {UI_TEXT("menu", "数字符表示パート選択"), UI_TEXT("menu", "数字符表示／非表示選択"),
                                  UI_TEXT("menu", "パート譜表示／非表示選択"), UI_TEXT("menu", "ト音記号／ヘ音記号")};
    if (QMenu* menu = window.submenu(commandPath({kView, "パート表示設定"}))) {
        menu->setTitle(ui::qtext("menu", titles[std::clamp(session.partDisplayMode, 0, 3)]));
    }
    for (int part = 1; part <= model::kMaxParts; ++part) {
        QAction* entry = window.action(commandPath({kView, "パート表示設定", std::to_string(part)}));
        const bool hidden = session.partDisplayMode == 2 && !session.score.part(part).visible;
        const std::string number = std::to_string(part);
        entry->setText(qt(session.partDisplayMode != 2 ? number : hidden ? "<" + number + ">" : " " + number + " "));
        entry->setVisible(part <= session.score.partCount);
    }
}

void bindViewCommands(MainWindow& window, Session& session) {
    bindColours(window, session, "描画色変更", drawColourChoices(), &render::ViewState::drawColor);
    bindColours(window, session, "背景色変更", backColourChoices(), &render::ViewState::backColor);
    bindColours(window, session, "編集描画色変更", editDrawColourChoices(), &render::ViewState::editDrawColor);
    bindColours(window, session, "編集背景色変更", editBackColourChoices(), &render::ViewState::editBackColor);
    bindGrid(window, session);
    bindPages(window, session);
    bindZoom(window, session);
    bindChorusAndParts(window, session);
    const std::string numbers = commandPath({kView, "小節番号表示／非表示"});
    for (const auto& [caption, shown] : {std::pair{"表示", true}, std::pair{"非表示", false}}) {
        window.bind(numbers + kPathSeparator + caption, [&window, &session, shown = shown] {
            session.view.showMeasureNumbers = shown;
            window.redraw();
        });
    }
    window.scrollArea()->viewport()->installEventFilter(new PageWheel(window, session));
    showModeButtons(window, session);
}

}  // namespace shinofu::app
