#include "app/play_settings_window.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <cmath>

#include "app/command_table.h"
#include "app/main_window.h"
#include "app/playback_commands.h"
#include "edit/edit_mode.h"
#include "edit/selection.h"
#include "model/text_fields.h"
#include "platform/file_io.h"
#include "platform/text_codec.h"

namespace shinofu::app {
namespace {

constexpr const char* kCaption = "演奏設定";
constexpr const char* kZeroTempo = "演奏設定 テンポはゼロにできません ";
constexpr int kDefaultPartVelocity = 64;

QString qt(const std::string& text) { return QString::fromStdString(text); }

// A box value in the setting's unit: tempo × 10 from "72.5", velocity as typed.
std::optional<int> boxValue(const QLineEdit* box, bool tempo) {
    bool ok = false;
    const double value = box->text().trimmed().toDouble(&ok);
    if (!ok) return std::nullopt;
    return static_cast<int>(std::lround(tempo ? value * 10 : value));
}

}  // namespace

PlaySettingsWindow::PlaySettingsWindow(MainWindow& window, Session& session, PlaybackController& playback)
    : QWidget(&window, Qt::Tool), window_(window), session_(session), playback_(playback) {
    setObjectName("TplaySform");
    setWindowTitle(kCaption);
    resize(520, 420);
    auto* layout = new QVBoxLayout(this);
    auto* modes = new QHBoxLayout;
    auto* group = new QButtonGroup(this);
    const std::pair<Mode, const char*> modeCaptions[] = {{Tempo, "テンポ"}, {Velocity, "強さ"}, {Instrument, "楽器"}};
    for (const auto& [mode, caption] : modeCaptions) {
        auto* button = new QRadioButton(caption, this);
        group->addButton(button);
        modes->addWidget(button);
        modes_[mode] = button;
        connect(button, &QRadioButton::clicked, this, [this, mode = mode] { setMode(mode); });
    }
    modes->addStretch();
    layout->addLayout(modes);

    auto* range = new QGridLayout;
    name_ = new QLineEdit(this);
    startBox_ = new QLineEdit(this);
    endBox_ = new QLineEdit(this);
    startLabel_ = new QLabel("開始点値", this);
    endLabel_ = new QLabel("終了点値", this);
    range->addWidget(new QLabel("名前", this), 0, 0);
    range->addWidget(name_, 0, 1);
    range->addWidget(startLabel_, 1, 0);
    range->addWidget(startBox_, 1, 1);
    range->addWidget(endLabel_, 2, 0);
    range->addWidget(endBox_, 2, 1);
    layout->addLayout(range);

    auto* commands = new QHBoxLayout;
    const std::pair<const char*, std::function<void()>> buttons[] = {
        {"追加", [this] { addSetting(); }},     {"消去", [this] { deleteSelected(); }},
        {"全削", [this] { deleteAll(); }},      {"リセット", [this] { resetTempo(); }}};
    for (const auto& [caption, action] : buttons) {
        auto* button = new QPushButton(caption, this);
        connect(button, &QPushButton::clicked, this, action);
        commands->addWidget(button);
    }
    layout->addLayout(commands);

    auto* speeds = new QHBoxLayout;
    const std::pair<const char*, double> factors[] = {{"X2", 0.5}, {"X3", 0.33}, {"2/3", 1.5}, {"1/2", 2.0}, {"速度", 1.0}};
    for (const auto& [caption, factor] : factors) {
        auto* button = new QPushButton(caption, this);
        connect(button, &QPushButton::clicked, this, [this, factor = factor] { playback_.engine().setSpeedFactor(factor); });
        speeds->addWidget(button);
    }
    layout->addLayout(speeds);

    list_ = new QListWidget(this);
    list_->setObjectName("playLstBx");
    layout->addWidget(list_, 1);
    playTime_ = new QLineEdit(this);
    playTime_->setObjectName("playTimeEdit");
    playTime_->setToolTip("楽器モード: パート番号（p または p:V強さ）を入れてダブルクリック");
    playTime_->installEventFilter(this);
    layout->addWidget(playTime_);
}

bool PlaySettingsWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == playTime_ && event->type() == QEvent::MouseButtonDblClick && mode_ == Instrument) {
        applyInstrument(playTime_->text().toStdString());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void PlaySettingsWindow::toggle() {
    if (isVisible()) {
        hide();
        session_.edit.editMode = edit::kEditMode;
    } else {
        rangeStart_ = rangeEnd_ = nullptr;
        setMode(Instrument);
        session_.edit.editMode = edit::kPlaybackSettingsMode;
        showPlayTime();
        show();
        raise();
    }
    window_.updateStatus();
}

void PlaySettingsWindow::setMode(Mode mode) {
    mode_ = mode;
    modes_[mode]->setChecked(true);
    refreshList();
}

std::vector<midi::PlaySetting>& PlaySettingsWindow::current() {
    return mode_ == Velocity ? session_.playSettings.velocitySettings : session_.playSettings.tempoSettings;
}

void PlaySettingsWindow::refreshList() {
    list_->clear();
    if (mode_ == Instrument) {
        for (const char* name : midi::instrumentNames()) list_->addItem(qt(name));
        return;
    }
    for (const midi::PlaySetting& setting : current()) list_->addItem(qt(midi::settingLine(setting)));
}

void PlaySettingsWindow::showPlayTime() { playTime_->setText(qt(midi::playTimeText(session_.score, session_.score.curPart))); }

void PlaySettingsWindow::notePicked(const model::TNote& note) {
    if (rangeStart_ && rangeEnd_) return;  // both ends are set until a setting is added
    QLineEdit* box = rangeStart_ ? endBox_ : startBox_;
    QLabel* label = rangeStart_ ? endLabel_ : startLabel_;
    (rangeStart_ ? rangeEnd_ : rangeStart_) = &note;
    if (mode_ == Tempo && note.playTime > 0) {
        box->setText(QString::number(std::lround(note.len * 50000.0 / note.playTime) / 10.0, 'f', 1));
    } else if (mode_ == Velocity) {
        box->setText(QString::number(note.velocity));
    }
    label->setStyleSheet("color: darkblue");
}

bool PlaySettingsWindow::addSetting() {
    if (mode_ == Instrument) return false;
    const bool tempo = mode_ == Tempo;
    const std::optional<int> from = boxValue(startBox_, tempo);
    const std::optional<int> to = boxValue(endBox_, tempo);
    if (tempo && (!from || !to || *from == 0 || *to == 0)) {
        setWindowTitle(kZeroTempo);
        return false;
    }
    if (!from || !to || !rangeStart_ || !rangeEnd_ || rangeEnd_->startPos < rangeStart_->startPos) return false;
    const std::string name = name_->text().isEmpty() ? "." + std::to_string(rangeStart_->startPos) : name_->text().toStdString();
    const midi::PlaySetting setting{name, rangeStart_->startPos, rangeEnd_->startPos, *from, *to};
    if (tempo) {
        midi::applyTempoSetting(session_.score, session_.score.curPart, setting);
    } else {
        midi::applyVelocitySetting(session_.score, session_.score.curPart, setting);
    }
    current().push_back(setting);
    edit::markChanged(session_.score);
    setWindowTitle(kCaption);
    rangeStart_ = rangeEnd_ = nullptr;
    startLabel_->setStyleSheet("color: green");
    endLabel_->setStyleSheet("color: green");
    refreshList();
    showPlayTime();
    window_.redraw();
    return true;
}

void PlaySettingsWindow::deleteSelected() {
    const int row = list_->currentRow();
    if (mode_ == Instrument || row < 0 || row >= static_cast<int>(current().size())) return;
    current().erase(current().begin() + row);
    refreshList();
}

void PlaySettingsWindow::deleteAll() {
    if (mode_ == Instrument) return;
    current().clear();
    refreshList();
}

void PlaySettingsWindow::resetTempo() {
    setWindowTitle(kCaption);
    midi::resetTempo(session_.score, session_.score.curPart);
    playback_.showScoreTempo();
    showPlayTime();
    window_.redraw();
}

bool PlaySettingsWindow::applyInstrument(const std::string& text) {
    const QString upper = qt(text).trimmed().toUpper();
    const int velocityAt = upper.indexOf(":V");
    const std::optional<int> part = model::parseWholeNumber(upper.left(velocityAt < 0 ? upper.size() : velocityAt).toStdString());
    const int program = list_->currentRow();
    if (!part || *part < 1 || *part > session_.score.partCount || program < 0 || program > 127) return false;
    session_.score.part(*part).instrument = program;
    if (velocityAt >= 0) {
        if (const auto velocity = model::parseWholeNumber(upper.mid(velocityAt + 2).toStdString())) {
            model::forEachNote(session_.score.part(*part).partHead,
                               [&](model::TNote& note) { note.velocity = std::clamp(*velocity, 0, 127); });
        }
    }
    edit::markChanged(session_.score);
    return true;
}

void PlaySettingsWindow::loadSettings(const midi::PlaySettings& settings) {
    session_.playSettings = settings;
    for (const midi::PlaySetting& setting : settings.tempoSettings) midi::applyTempoSetting(session_.score, session_.score.curPart, setting);
    for (const midi::PlaySetting& setting : settings.velocitySettings) {
        midi::applyVelocitySetting(session_.score, session_.score.curPart, setting);
    }
    edit::markChanged(session_.score);
    refreshList();
    showPlayTime();
}

void bindPlaySettingsCommands(MainWindow& window, Session& session, PlaySettingsWindow& settings) {
    window.bind(commandPath({"オプション(&O)", "演奏設定&I"}), [&settings] { settings.toggle(); });
    const std::string files = commandPath({"ファイル&F", "演奏データ付五線譜面"});
    const std::string filter = "演奏設定ファイル|*.pst|Any Files|*.*|";
    auto proposed = [&session] {
        return session.currentFile.empty() ? std::filesystem::path() : std::filesystem::path(session.currentFile).replace_extension(".pst");
    };
    window.bind(files + kPathSeparator + "演奏設定保存", [&window, &session, filter, proposed] {
        auto chosen = window.dialogs().saveFile("演奏設定保存", filter, proposed());
        if (!chosen) return;
        platform::IoError error;
        if (!platform::writeFileAtomically(std::filesystem::path(*chosen).replace_extension(".pst"),
                                           platform::encodeLines(midi::pstLines(session.playSettings)).bytes, error)) {
            window.dialogs().message(platform::MessageKind::Error, error.message);
        }
    });
    window.bind(files + kPathSeparator + "演奏設定読み込み", [&window, &settings, filter, proposed] {
        auto chosen = window.dialogs().openFile("演奏設定読み込み", filter, proposed());
        if (!chosen) return;
        platform::IoError error;
        const auto bytes = platform::readFileBytes(*chosen, error);
        const auto read = bytes ? midi::parsePst(platform::decodeLines(*bytes)) : std::nullopt;
        if (!read) {
            window.dialogs().message(platform::MessageKind::Error, bytes ? "演奏設定ファイルではありません" : error.message);
            return;
        }
        settings.loadSettings(*read);
        window.redraw();
    });
}

}  // namespace shinofu::app
