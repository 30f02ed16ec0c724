#include "app/main_window.h"

#include <QAction>
#include <QCoreApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>

#include "app/command_table.h"
#include "app/companion_windows.h"
#include "app/file_commands.h"
#include "app/curve_dialog.h"
#include "app/input_panel.h"
#include "app/language.h"
#include "app/mark_commands.h"
#include "app/memo_window.h"
#include "app/recording_import.h"
#include "app/transcription_dialog.h"
#include "app/numeric_settings_window.h"
#include "app/panel_drag.h"
#include "edit/note_commands.h"
#include "edit/pointer_entry.h"
#include "render/page_tables.h"
#include "app/output_commands.h"
#include "app/palette_commands.h"
#include "app/palette_window.h"
#include "app/shell_commands.h"
#include "app/symbol_commands.h"
#include "app/symbol_dialog.h"
#include "app/startup.h"
#include "app/midi_commands.h"
#include "app/wav_commands.h"
#include "app/midi_import.h"
#include "app/musicxml_commands.h"
#include "app/key_signature_commands.h"
#include "app/measure_commands.h"
#include "app/tuner_window.h"
#include "app/practice_commands.h"
#include "app/play_along.h"
#include "app/qt_ui_text.h"
#include "app/play_settings_window.h"
#include "app/playback_commands.h"
#include "app/note_commands.h"
#include "app/view_commands.h"
#include "app/window_geometry.h"
#include "edit/edit_mode.h"
#include "edit/measure_clip.h"
#include "model/score_file.h"
#include "numeric/fingering.h"
#include "model/song_data_template.h"
#include "platform/file_io.h"
#include "platform/paths.h"
#include "platform/qt_canvas.h"
#include "platform/text_codec.h"

namespace shinofu::app {
namespace {

namespace fs = std::filesystem;

constexpr uint8_t kProgramChange = 0xC0;
constexpr uint8_t kStartProgram = 78;  // played on channel 1 as soon as the device opens

QString qt(const std::string& text) { return QString::fromStdString(text); }

struct BuiltMenus {
    std::map<std::string, QAction*>& actions;
    std::map<std::string, QMenu*>& submenus;
};

void addEntries(QMenu* menu, const std::vector<MenuEntry>& entries, std::vector<std::string>& prefix,
                BuiltMenus built, QObject* owner) {
    for (const MenuEntry& entry : entries) {
        prefix.push_back(entry.caption);
        if (entry.isSubmenu()) {
            QMenu* sub = menu->addMenu(ui::qtext("menu", entry.caption));
            built.submenus[commandPath(prefix)] = sub;
            addEntries(sub, entry.children, prefix, built, owner);
        } else {
            QAction* action = menu->addAction(ui::qtext("menu", entry.caption));
            action->setEnabled(false);
            action->setParent(owner);
            built.actions[commandPath(prefix)] = action;
        }
        prefix.pop_back();
    }
}

// Drags a panel with the left button: its centre follows the pointer.
// A companion file's lines, or none when it is missing or unreadable (the defaults then apply).
std::vector<std::string> companionLinesOrNone(const char* suffix) {
    platform::IoError error;
    return readCompanionLines(suffix, error).value_or(std::vector<std::string>{});
}

}  // namespace

MainWindow::MainWindow(Session& session, platform::Dialogs& dialogs, std::unique_ptr<platform::MidiOut> midi,
                       QWidget* parent)
    : QMainWindow(parent), session_(session), dialogs_(dialogs), midi_(std::move(midi)) {
    setObjectName("Tcvw");
    setWindowTitle(ui::qtext("ui", kMainWindowCaption));
    setMinimumWidth(kMinimumWindowWidth);
    WindowGeometry geometry = readWindowGeometry(companionLinesOrNone(".IN2"));
    resize(geometry.width, geometry.height);
    move(0, 0);  // the saved place is not kept

    // The output devices fill the list, which goes out of sight once device 0 is open.
    auto* devices = new QListWidget(this);
    devices->setObjectName("ListBox1");
    for (const std::string& name : midi_->deviceNames()) devices->addItem(qt(name));
    midi_->open(0);
    devices->hide();
    midi_->shortMessage(kProgramChange, kStartProgram, 0);
    // The synthesizer gets ready on its own thread: the status bar follows until it has.
    auto* synthWatch = new QTimer(this);
    synthWatch->setInterval(250);
    connect(synthWatch, &QTimer::timeout, this, [this, synthWatch] {
        const std::string reason = midi_->silenceReason();
        setStatusText("message", qt(reason));
        if (reason != ui::text("ui", platform::kSynthPreparing)) {
            synthWatch->stop();
            midi_->shortMessage(kProgramChange, kStartProgram, 0);
        }
    });
    synthWatch->start();

    scroll_ = new QScrollArea(this);
    view_ = new QLabel(scroll_);
    view_->setObjectName("scoreView");
    scroll_->setWidget(view_);
    scroll_->setBackgroundRole(QPalette::Dark);
    setCentralWidget(scroll_);

    question_ = new QFrame(scroll_);
    question_->setObjectName("questionPanel");
    question_->setFrameShape(QFrame::Panel);
    question_->setAutoFillBackground(true);
    auto* questionLayout = new QHBoxLayout(question_);
    questionText_ = new QLabel(question_);
    auto* close = new QPushButton(ui::qtext("ui", "閉じる"), question_);
    questionLayout->addWidget(questionText_);
    questionLayout->addWidget(close);
    connect(close, &QPushButton::clicked, this, &MainWindow::answerQuestion);
    // Beside it, what a user of any editor expects: save and go on, or go back to editing.
    auto* save = new QPushButton(ui::qtext("ui", "保存"), question_);
    auto* backToEditing = new QPushButton(ui::qtext("ui", "キャンセル"), question_);
    questionLayout->addWidget(save);
    questionLayout->addWidget(backToEditing);
    connect(save, &QPushButton::clicked, this, &MainWindow::saveAndGoOn);
    connect(backToEditing, &QPushButton::clicked, this, [this] {
        pendingCommand_ = nullptr;
        questionText_->clear();
        question_->hide();
    });
    question_->move(40, 40);
    question_->hide();

    progress_ = new QFrame(scroll_);
    progress_->setObjectName("progressPanel");
    progress_->setFrameShape(QFrame::Panel);
    progress_->setAutoFillBackground(true);
    auto* progressLayout = new QHBoxLayout(progress_);
    progressLayout->addWidget(new QLabel(ui::qtext("ui", "曲データの処理中"), progress_));
    auto* cancel = new QPushButton(ui::qtext("ui", "中止"), progress_);
    progressLayout->addWidget(cancel);
    connect(cancel, &QPushButton::clicked, this, &MainWindow::cancelBuild);
    progress_->move(40, 40);
    progress_->hide();

    buildMenus();
    buildStatusBar();
    buildCompanionWindows();
    for (const auto& [index, window] : {std::pair{2, "ToniForm"}, {4, "TNScoreFrm"}}) {
        if (auto* companion = findChild<QWidget*>(window)) {
            companion->move(geometry.companions[index], geometry.companions[index + 1]);
        }
    }
    memo_->move(geometry.companions[6], geometry.companions[7]);
    memo_->setHomePosition(QPoint(geometry.companions[6], geometry.companions[7]));
    bindCommands();
    playSettings_->move(geometry.companions[0], geometry.companions[1]);
    if (session_.edit.editMode == edit::kNewMode) startAdding();
    session_.startHistory();
    redraw();
    updateStatus();
}

MainWindow::~MainWindow() = default;

void MainWindow::buildMenus() {
    std::vector<std::string> prefix;
    for (const MenuEntry& top : mainMenu()) {
        prefix.push_back(top.caption);
        if (top.isSubmenu()) {
            QMenu* menu = menuBar()->addMenu(ui::qtext("menu", top.caption));
            submenus_[top.caption] = menu;
            addEntries(menu, top.children, prefix, {actions_, submenus_}, this);
        } else {
            QAction* action = menuBar()->addAction(ui::qtext("menu", top.caption));
            action->setEnabled(false);
            actions_[top.caption] = action;
        }
        prefix.pop_back();
    }
    actions_.at(commandPath({"ファイル&F", "MIDIファイル作成（旧）"}))->setVisible(false);
    popup_ = new QMenu(this);
    std::vector<std::string> popupPrefix = {"pop-up"};
    addEntries(popup_, popupMenu(), popupPrefix, {actions_, submenus_}, this);
    view_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(view_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        // Lyric entry keeps the right button for itself.
        if (session_.edit.editMode == edit::kLyricMode) return;
        popupAt_ = at;
        popup_->popup(view_->mapToGlobal(at));
    });
}

void MainWindow::buildStatusBar() {
    for (const ToolButton& button : toolButtons()) {
        auto* tool = new QToolButton(this);
        tool->setToolTip(ui::qtext("menu", button.hint));
        tool->setText(ui::qtext("menu", button.label));
        tool->setEnabled(false);
        statusBar()->addWidget(tool);
        tools_[button.hint] = tool;
    }
    // Each label keeps the room of its longest text, so values never push each other out of sight.
    auto addLabel = [this](QWidget* parent, const char* name, const char* widest) {
        auto* label = new QLabel(parent);
        label->setObjectName(name);
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(ui::qtext("ui", widest)));
        labels_[name] = label;
        return label;
    };
    for (const auto& [name, widest] : {std::pair{"mode", UI_TEXT("ui", "<小節編集>")}, {"part", "Prt:6"}, {"partDisplay", "Prt=3"},
                                       {"page", "Page:99"}}) {
        statusBar()->addWidget(addLabel(this, name, widest));
    }
    statusBar()->addWidget(addLabel(this, "message", ""), 1);
    setStatusText("message", qt(midi_->silenceReason()));
    // The pointer, the clicked measure and the current note on a small panel over the view, which
    // the left button drags out of the way.
    positionPanel_ = new QFrame(scroll_);
    positionPanel_->setObjectName("positionPanel");
    positionPanel_->setFrameShape(QFrame::Panel);
    positionPanel_->setAutoFillBackground(true);
    auto* layout = new QHBoxLayout(positionPanel_);
    layout->setContentsMargins(6, 2, 6, 2);
    for (const auto& [name, widest] : {std::pair{"pointer", "99999 99999"}, {"click", "fx0:99 fsx0:99 fy0:99"},
                                       {"note", UI_TEXT("ui", "Len=99 音高=rest Pos=9999")}}) {
        layout->addWidget(addLabel(positionPanel_, name, widest));
    }
    positionPanel_->adjustSize();
    positionPanel_->installEventFilter(new PanelDrag(positionPanel_));
}

void MainWindow::buildCompanionWindows() {
    new NumericSettingsWindow(*this, session_);
    new PaletteWindow(*this, session_);
    new InputPanel(*this, session_);
    memo_ = new MemoWindow(this);
    memo_->setObjectName("TmemoForm");
    new DebugWindow(this);
    new CurveDialog(*this, session_);
    new SymbolDialog(*this, session_);
}

void MainWindow::bind(const std::string& path, std::function<void()> handler) {
    QAction* target = actions_.at(path);
    target->setEnabled(true);
    connect(target, &QAction::triggered, this, [this, path, handler = std::move(handler)] {
        // A command that ends in the editing's own finish names its step there.
        const std::string caption = commandCaption(shownPath(path));
        session_.edit.lastCommand = caption;
        handler();
        recordStep(caption);
        session_.edit.lastCommand.clear();
        updateStatus();
        showNotice();
    });
}

void MainWindow::bindCommands() {
    const std::string file = "ファイル&F";
    bind(commandPath({file, "新規作成&N"}), [this] { guarded([this] { newScore(); }); });
    bind(commandPath({"音符編集&N", "元に戻す"}), [this] { stepThroughHistory(true); });
    bind(commandPath({"音符編集&N", "やり直し"}), [this] { stepThroughHistory(false); });
    bind(commandPath({file, "ファイル読込&R"}), [this] { guarded([this] { openScore(OpenKind::CurrentFormat); }); });
    bind(commandPath({file, "旧ファイル（．ｇｄ２）読込"}), [this] { guarded([this] { openScore(OpenKind::OldFormat); }); });
    bind(commandPath({file, "演奏データ付五線譜面", "読み込み"}), [this] { guarded([this] { openScore(OpenKind::WithPerformanceData); }); });
    bind(commandPath({file, "演奏データ付五線譜面", "保存"}), [this] {
        if (saveScoreCommand(session_, dialogs_, true)) setTitleFor(session_.currentFile);
    });
    bind(commandPath({file, "譜面の保存&S"}), [this] {
        if (saveScoreCommand(session_, dialogs_, false)) setTitleFor(session_.currentFile);
    });
    bind(commandPath({file, "上書き保存"}), [this] { overwriteSave(); });
    bind(commandPath({file, "譜面設定保存"}), [this] { saveScoreSettingsCommand(session_, dialogs_); });
    bind(commandPath({file, "終了&X"}), [this] { guarded([this] { close(); }); });
    bind("終了(&X)", [this] { guarded([this] { close(); }); });
    const std::string songData = commandPath({"五線譜設定&S", "曲名等設定&I"});
    bind(songData + kPathSeparator + "設定開始<画面表示>&S", [this] { startSongData(); });
    bind(songData + kPathSeparator + "設定完了<画面削除>&E", [this] { finishSongData(); });
    bind("ヘルプ(&H)", [this] { showHelp(); });
    bind(commandPath({"表示&V", "再表示(&R)"}), [this] { redraw(); });
    bind(commandPath({file, "MIDIファイル作成&M"}), [this] { makeMidiFile(); });
    bind(commandPath({file, "MIDIファイル読み込み"}), [this] {
        guarded([this] {
            buildCancelled_ = false;
            const ScoreImport result = importMidiCommand(session_, dialogs_, [this](double done) { return buildProgress(done); });
            progress_->hide();
            if (result.imported) showImportedScore(result.notices);
        });
    });
    bind(commandPath({file, "MusicXML読み込み"}), [this] {
        guarded([this] {
            const ScoreImport result = importMusicXmlCommand(session_, dialogs_);
            if (result.imported) showImportedScore(result.notices);
        });
    });
    bind(commandPath({file, "録音から採譜"}), [this] { guarded([this] { transcribeRecording(); }); });
    bind(commandPath({file, "MusicXML保存"}), [this] { exportMusicXmlCommand(session_, dialogs_); });
    bind(commandPath({file, "MIDIファイル作成（旧）"}), [this] { makeMidiFile(); });
    bind(commandPath({file, "WAVファイル作成"}), [this] {
        withProgress([this](const auto& progress) { makeWavFileCommand(session_, dialogs_, progress, practice_.playback); });
    });
    bind(commandPath({file, "数字符データ保存"}), [this] { saveFingeringGridCommand(session_, dialogs_); });
    bind(commandPath({"表示&V", "五線譜面／数字譜面", "数字譜面"}), [this] { setNumericDisplay(true); });
    bind(commandPath({"表示&V", "五線譜面／数字譜面", "五線譜面"}), [this] { setNumericDisplay(false); });
    bindTool("五線譜・数字譜", [this] { setNumericDisplay(!session_.view.numericDisplay); });
    const std::string flutes = commandPath({"オプション(&O)", "笛変更"});
    for (int flute = 1; flute <= numeric::kFluteCount; ++flute) {
        bind(flutes + kPathSeparator + numeric::fluteName(flute), [this, flute] {
            numeric::changeFlute(session_.score, session_.flute, flute);
            redraw();
        });
    }
    const std::pair<const char*, numeric::AutoFlute> autoModes[] = {{"〇", numeric::AutoFlute::Zero},
                                                                    {"一", numeric::AutoFlute::Ichi},
                                                                    {"四", numeric::AutoFlute::Yon},
                                                                    {"五", numeric::AutoFlute::Go}};
    for (const auto& [caption, mode] : autoModes) {
        bind(flutes + kPathSeparator + "笛の自動設定" + kPathSeparator + caption, [this, mode = mode] {
            numeric::setFueAuto(session_.score, session_.flute, mode);
            redraw();
        });
    }
    bind(commandPath({"オプション(&O)", "画面クリア"}), [this] { clearView(); });
    bindViewCommands(*this, session_);
    bindNoteCommands(*this, session_);
    bindMeasureCommands(*this, session_);
    bindKeySignatureCommands(*this, session_);
    bindOutputCommands(*this, session_);
    bindMarkCommands(*this, session_);
    bindPaletteCommands(*this);
    bindSymbolCommands(*this, session_);
    bindShellCommands(*this, session_);
    playback_ = std::make_unique<PlaybackController>(*this, session_, *midi_);
    bindPlaybackCommands(*this, session_, *playback_);
    playSettings_ = new PlaySettingsWindow(*this, session_, *playback_);
    tuner_ = new TunerWindow(*this, session_, practice_);
    bindTunerCommands(*this, *tuner_);
    bindPracticeCommands(*this);
    playAlong_ = std::make_unique<PlayAlong>(*this, session_, *playback_, practice_);
    bindPlayAlongCommands(*this, *playAlong_);
    bindPlaySettingsCommands(*this, session_, *playSettings_);

    // Both entries toggle between the large and the small glyph set.
    for (const char* size : {"大", "小"}) {
        bind(commandPath({"オプション(&O)", "音符サイズ", size}), [this] {
            session_.score.largeNoteHeads = !session_.score.largeNoteHeads;
            redraw();
        });
    }
}

void MainWindow::bindTool(const std::string& hint, std::function<void()> handler) {
    QToolButton* target = tools_.at(hint);
    target->setEnabled(true);
    connect(target, &QToolButton::clicked, this, [this, hint, handler = std::move(handler)] {
        handler();
        recordStep(ui::text("menu", hint));
        updateStatus();
    });
}

QToolButton* MainWindow::tool(const std::string& hint) const {
    auto found = tools_.find(hint);
    return found == tools_.end() ? nullptr : found->second;
}

void MainWindow::setNumericDisplay(bool on) {
    session_.view.numericDisplay = on;
    if (on) findChild<NumericSettingsWindow*>("TNScoreFrm")->refresh();
    redraw();
}

QMenu* MainWindow::submenu(const std::string& path) const {
    auto found = submenus_.find(path);
    return found == submenus_.end() ? nullptr : found->second;
}

void MainWindow::scrollToTop() {
    scroll_->horizontalScrollBar()->setValue(0);
    scroll_->verticalScrollBar()->setValue(0);
}

int MainWindow::clientHeight() const { return height() - menuBar()->height(); }

QAction* MainWindow::action(const std::string& path) const {
    auto found = actions_.find(path);
    return found == actions_.end() ? nullptr : found->second;
}

void MainWindow::guarded(const std::function<void()>& command) {
    if (!session_.score.saved) {
        pendingCommand_ = command;
        showQuestion();
        return;
    }
    command();
}

bool MainWindow::overwriteSave() {
    if (!overwriteSaveCommand(session_, dialogs_)) return false;
    setTitleFor(session_.currentFile);
    return true;
}

void MainWindow::saveAndGoOn() {
    if (!overwriteSave()) return;  // the question stays: nothing is lost
    questionText_->clear();
    question_->hide();
    if (auto command = std::exchange(pendingCommand_, nullptr)) command();
    updateStatus();
}

void MainWindow::showQuestion() {
    scroll_->horizontalScrollBar()->setValue(0);
    scroll_->verticalScrollBar()->setValue(0);
    questionText_->setText(ui::qtext("ui", "ファイル保存は？"));
    question_->adjustSize();
    question_->show();
    question_->raise();
}

bool MainWindow::questionShown() const { return !question_->isHidden(); }

void MainWindow::answerQuestion() {
    pendingCommand_ = nullptr;
    questionText_->clear();
    question_->hide();
    // The changes are given up: the next guarded command goes ahead.
    session_.score.saved = true;
}

void MainWindow::showNotice() {
    if (!session_.edit.notice.empty()) setStatusText("message", ui::qtext("ui", std::exchange(session_.edit.notice, {})));
}

void MainWindow::setStatusText(const char* labelName, const QString& text) {
    auto found = labels_.find(labelName);
    if (found == labels_.end() || found->second->text() == text) return;
    found->second->setText(text);
    // A long message is cut by the buttons beside it: the pointer shows all of it.
    found->second->setToolTip(text);
}

QString MainWindow::statusText(const char* labelName) const {
    auto found = labels_.find(labelName);
    return found == labels_.end() ? QString() : found->second->text();
}

void MainWindow::recordStep(const std::string& caption) { session_.recordStep(caption); }

void MainWindow::announceOverfull() {
    const model::ExcessReport excess = model::checkExcessNotes(session_.score);
    std::string named;
    for (int part = 1; part <= session_.score.partCount; ++part) {
        const auto& measure = excess.measures[static_cast<size_t>(part - 1)];
        if (measure && measure != session_.announcedExcess.measures[static_cast<size_t>(part - 1)]) {
            named += ui::format(ui::text("ui", "　パート%1 第%2小節"), {std::to_string(part), std::to_string(*measure)});
        }
    }
    session_.announcedExcess = excess;
    if (!named.empty()) setStatusText("message", qt(ui::text("ui", "過剰音符小節があります：") + named));
}

void MainWindow::announceCrowding() {
    // Named once for each page and count, not after every command.
    const std::pair crowding(session_.view.curPage, session_.crowdedItems);
    if (crowding.second > 0 && crowding != session_.announcedCrowding) {
        setStatusText("message", qt(ui::format(ui::text("ui", "このページは記号の置き場が足りず、%1個が重なっています（行間隔を広げるか行数を減らすと空きます）"),
                                               {std::to_string(crowding.second)})));
    }
    session_.announcedCrowding = crowding;
}

bool MainWindow::stepThroughHistory(bool back) {
    const std::optional<std::string> caption = back ? session_.undoStep() : session_.redoStep();
    if (!caption) {
        setStatusText("message", back ? ui::qtext("ui", "元に戻す操作はありません") : ui::qtext("ui", "やり直す操作はありません"));
        return false;
    }
    // Entry and picking pointed into the records just replaced.
    if (session_.edit.editMode != edit::kMeasureEditMode) session_.edit.editMode = edit::kEditMode;
    redraw();
    updateStatus();
    setStatusText("message", qt((back ? ui::text("ui", "元に戻しました：") : ui::text("ui", "やり直しました：")) + *caption));
    return true;
}

void MainWindow::showHistorySteps() {
    const std::pair<const char*, std::optional<std::string>> entries[] = {
        {"元に戻す", session_.history.undoCaption()}, {"やり直し", session_.history.redoCaption()}};
    for (const auto& [name, caption] : entries) {
        QAction* entry = actions_.at(commandPath({"音符編集&N", name}));
        entry->setText(qt(caption ? ui::withDetail(ui::text("menu", name), *caption) : ui::text("menu", name)));
        entry->setEnabled(caption.has_value());
    }
}

void MainWindow::updateStatus() {
    showHistorySteps();
    announceCrowding();
    announceOverfull();
    labels_["mode"]->setText(qt(edit::editModeLabel(session_.edit.editMode)));
    labels_["part"]->setText(QString("Prt:%1").arg(session_.score.curPart));
    if (session_.view.printView) labels_["mode"]->setText(qt(edit::editModeLabel(edit::kPrintViewMode)));
    labels_["partDisplay"]->setText(QString("Prt=%1").arg(session_.partDisplayMode));
    labels_["page"]->setText(QString("Page:%1").arg(session_.view.curPage));
}

void MainWindow::setTitleFor(const fs::path& file) { setWindowTitle(qt(windowTitleFor(file))); }

void MainWindow::redraw() {
    session_.refreshDerivedState();
    render::PageOptions options;
    options.tintOverfull = true;
    options.frameHeight = session_.view.allPageView ? std::lround(session_.view.zoom * session_.view.viewWidth * 1.414) : 0;
    // Presses and the entry cursor find the rows where this drawing moved them.
    std::vector<double> rowDrop;
    options.rowDrop = &rowDrop;
    options.crowded = &session_.crowdedItems;
    options.tints = playAlong_ ? playAlong_->tints() : nullptr;
    viewImage_ = output::renderPageImage(session_.score, session_.view, resources_, options, &items_);
    session_.view.rowDrop = std::move(rowDrop);
    view_->setPixmap(QPixmap::fromImage(viewImage_));
    view_->resize(viewImage_.size());
}

void MainWindow::startAdding() {
    // A new score opens ready for notes: typed, or clicked into the cursor measure.
    const render::PageTables tables = render::buildPageTables(session_.score, session_.view);
    edit::startAddMode(session_.score, session_.view, session_.edit, tables);
    edit::showAddCursor(session_.score, session_.view, tables);
}

void MainWindow::showPicture(const QImage& picture) { view_->setPixmap(QPixmap::fromImage(picture)); }

void MainWindow::clearView() {
    viewImage_.fill(platform::QtCanvas::toQColor(session_.view.backColor));
    view_->setPixmap(QPixmap::fromImage(viewImage_));
}

void MainWindow::newScore() {
    edit::detachClip(session_.edit.clip, session_.score.measureLen());
    session_.forgetPlacesInScore();
    session_.view.curPage = 1;
    model::newScore(session_.score, session_.scoreDefaults());
    session_.scoreFile.clear();  // 上書き保存 must not write over the file read before
    session_.startHistory();
    setWindowTitle(ui::qtext("ui", kMainWindowCaption));  // the title no longer names the file read before
    session_.print.headerFlags = output::kPrintEverything;
    startAdding();
    redraw();
    playback_->showScoreTempo();
}

void MainWindow::openScore(OpenKind kind) {
    openScoreCommand(session_, dialogs_, kind);
    setTitleFor(session_.currentFile);
    redraw();
    playback_->showScoreTempo();
}

void MainWindow::openAtStart(const fs::path& file) {
    if (openScoreAtStart(session_, dialogs_, file)) setTitleFor(file);
    redraw();
    updateStatus();
    playback_->showScoreTempo();
}

void MainWindow::startSongData() {
    session_.score.saved = false;
    session_.edit.editMode = edit::kSongDataMode;
    memo_->setLines(model::songDataTemplate(session_.score));
    memo_->setSaveAction([this] { finishSongData(); });
    memo_->show();
    memo_->raise();
}

void MainWindow::finishSongData() {
    model::applySongData(memo_->lines(), session_.score, session_.config.defaultFluteKey);
    memo_->hide();
    session_.edit.editMode = edit::kEditMode;
    redraw();
    updateStatus();
    playback_->showScoreTempo();
}

void MainWindow::showHelp() {
    session_.edit.editMode = edit::kHelpMode;
    // Each language has its own help file, both kept in the companion folder.
    const char* helpSuffix = speaksEnglish() ? ".en.txt" : ".txt";
    const fs::path helpFile = platform::Paths::companionFile(helpSuffix);
    memo_->setLines(companionLinesOrNone(helpSuffix));
    memo_->setSaveAction([this, helpFile] {
        platform::IoError error;
        platform::EncodeResult encoded = platform::encodeLines(memo_->lines());
        if (!platform::writeFileAtomically(helpFile, encoded.bytes, error)) {
            dialogs_.message(platform::MessageKind::Error, error.message);
        }
    });
    memo_->show();
    memo_->raise();
}

bool MainWindow::buildProgress(double) {
    if (progress_->isHidden()) {
        progress_->adjustSize();
        progress_->show();
        progress_->raise();
    }
    // The cancel button must answer while the build runs; everything else waits.
    QCoreApplication::processEvents();
    return !buildCancelled_;
}

void MainWindow::showImportedScore(const std::vector<std::string>& notices) {
    setTitleFor(session_.score.title());
    std::string text;
    for (const std::string& notice : notices) text += notice + " ";
    setStatusText("message", qt(text));
    playback_->showScoreTempo();
    redraw();
}

void MainWindow::transcribeRecording() {
    const auto chosen = dialogs_.openFile(ui::text("ui", "録音から採譜"),
                                          ui::text("ui", "音声ファイル|*.wav;*.flac;*.ogg;*.mp3|Any Files|*.*|"), {});
    if (!chosen) return;
    const std::optional<RecordingChoices> choices = askRecordingChoices(this, recordingChoices_);
    if (!choices) return;
    recordingChoices_ = *choices;
    ScoreImport result;
    withProgress([&](const auto& progress) { result = importRecordingFile(*chosen, session_, *choices, progress); });
    if (result.imported) {
        showImportedScore(result.notices);
    } else if (!result.cancelled) {
        dialogs_.message(platform::MessageKind::Error, result.error);
    }
}

void MainWindow::withProgress(const std::function<void(const std::function<bool(double)>&)>& work) {
    buildCancelled_ = false;
    menuBar()->setEnabled(false);
    work([this](double done) { return buildProgress(done); });
    menuBar()->setEnabled(true);
    progress_->hide();
    redraw();
}

void MainWindow::makeMidiFile() {
    scroll_->horizontalScrollBar()->setValue(0);
    scroll_->verticalScrollBar()->setValue(0);
    withProgress([this](const auto& progress) { makeMidiFileCommand(session_, dialogs_, progress); });
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    placePositionPanel();
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    placePositionPanel();
}

// Until the user moves it, the position panel keeps to the view's lower right corner.
void MainWindow::placePositionPanel() {
    if (!positionPanel_ || positionPanel_->property("dragged").toBool()) return;
    positionPanel_->adjustSize();
    const QWidget* viewport = scroll_->viewport();
    positionPanel_->move(viewport->width() - positionPanel_->width() - 4, viewport->height() - positionPanel_->height() - 4);
    positionPanel_->raise();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    playback_->engine().silence();
    midi_->reset();
    midi_->close();
    platform::IoError error;
    auto lines = windowGeometryLines(width(), height(), x(), y());
    if (!platform::writeFileAtomically(platform::Paths::companionFile(".IN2"), platform::encodeLines(lines).bytes,
                                       error)) {
        dialogs_.message(platform::MessageKind::Error, error.message);
    }
    event->accept();
}

}  // namespace shinofu::app
