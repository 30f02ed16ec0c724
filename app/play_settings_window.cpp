#include "app/play_settings_window.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "app/command_table.h"
#include "app/main_window.h"
#include "app/play_bar.h"
#include "app/playback_commands.h"
#include "app/qt_ui_text.h"
#include "app/sound_input.h"
#include "edit/edit_mode.h"
#include "edit/selection.h"
#include "model/text_fields.h"
#include "platform/file_io.h"
#include "platform/text_codec.h"

namespace shinofu::app {
namespace {

constexpr const char* kCaption = UI_TEXT("ui", "演奏設定");
constexpr const char* kZeroTempo = UI_TEXT("ui", "演奏設定 テンポはゼロにできません ");
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

// The tempo (red) and velocity (dark blue) of the part's notes as step lines over the part's length.
class PlaySettingsWindow::Graph : public QWidget {
public:
    Graph(const Session& session, QWidget* parent) : QWidget(parent), session_(session) {
        setMinimumHeight(120);
        setObjectName("playGraph");
    }
    bool showTempo = true;
    bool showVelocity = false;
    double ys = 1.0;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        const model::Score& score = session_.score;
        const int part = score.curPart;
        int64_t total = 0;
        model::forEachNote(static_cast<const model::TNote*>(score.part(part).partHead), [&](const model::TNote& note) {
            if (note.pitch < model::kFirstMarkerCode) total += std::max(0, note.len);
        });
        if (total == 0) return;
        const double xs = 0.98 * width() / static_cast<double>(total);
        auto curve = [&](const QColor& colour, auto valueOf) {
            painter.setPen(colour);
            double x = 0;
            QPointF previous;
            bool first = true;
            model::forEachNote(static_cast<const model::TNote*>(score.part(part).partHead), [&](const model::TNote& note) {
                if (note.pitch >= model::kFirstMarkerCode) return;
                const double y = height() - valueOf(note) * ys;
                const QPointF start(x, y);
                x += std::max(0, note.len) * xs;
                if (!first) painter.drawLine(previous, start);
                painter.drawLine(start, QPointF(x, y));
                previous = QPointF(x, y);
                first = false;
            });
        };
        if (showTempo) curve(Qt::red, [](const model::TNote& note) { return note.playTime > 0 ? 0.7 * note.len * 5000.0 / note.playTime : 0.0; });
        if (showVelocity) curve(Qt::darkBlue, [](const model::TNote& note) { return 0.75 * note.velocity; });
    }

private:
    const Session& session_;
};

PlaySettingsWindow::PlaySettingsWindow(MainWindow& window, Session& session, PlaybackController& playback)
    : QWidget(&window, Qt::Tool), window_(window), session_(session), playback_(playback) {
    setObjectName("TplaySform");
    setWindowTitle(ui::qtext("ui", kCaption));
    resize(520, 420);
    auto* layout = new QVBoxLayout(this);
    auto* modes = new QHBoxLayout;
    auto* group = new QButtonGroup(this);
    const std::pair<Mode, QString> modeCaptions[] = {
        {Tempo, ui::qtext("ui", "テンポ")}, {Velocity, ui::qtext("ui", "強さ")}, {Instrument, ui::qtext("ui", "楽器")}};
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
    startLabel_ = new QLabel(ui::qtext("ui", "開始点値"), this);
    endLabel_ = new QLabel(ui::qtext("ui", "終了点値"), this);
    range->addWidget(new QLabel(ui::qtext("ui", "名前"), this), 0, 0);
    range->addWidget(name_, 0, 1);
    range->addWidget(startLabel_, 1, 0);
    range->addWidget(startBox_, 1, 1);
    range->addWidget(endLabel_, 2, 0);
    range->addWidget(endBox_, 2, 1);
    layout->addLayout(range);

    auto* commands = new QHBoxLayout;
    const std::pair<QString, std::function<void()>> buttons[] = {
        {ui::qtext("ui", "追加"), [this] { addSetting(); }},     {ui::qtext("ui", "消去"), [this] { deleteSelected(); }},
        {ui::qtext("ui", "全削"), [this] { deleteAll(); }},      {ui::qtext("ui", "リセット"), [this] { resetTempo(); }}};
    for (const auto& [caption, action] : buttons) {
        auto* button = new QPushButton(caption, this);
        connect(button, &QPushButton::clicked, this, action);
        commands->addWidget(button);
    }
    layout->addLayout(commands);

    auto* editing = new QHBoxLayout;
    const std::pair<QString, std::function<void()>> editButtons[] = {
        {ui::qtext("ui", "挿入"), [this] { insertCopy(); }},           {ui::qtext("ui", "戻す"), [this] { undoLast(); }},
        {ui::qtext("ui", "継続"), [this] { continueLast(); }},         {ui::qtext("ui", "始preset"), [this] { presetValue(true); }},
        {ui::qtext("ui", "終preset"), [this] { presetValue(false); }}, {ui::qtext("ui", "編集開始"), [this] { beginEdit(); }},
        {ui::qtext("ui", "編集の設定保存"), [this] { saveEdit(); }},   {ui::qtext("ui", "編集破棄"), [this] { discardEdit(); }},
        {ui::qtext("ui", "値を複写"), [this] { copyValues(); }},       {ui::qtext("ui", "値を貼付"), [this] { pasteValues(); }},
        {ui::qtext("ui", "名前順に"), [this] { sortByName(true); }},   {ui::qtext("ui", "追加分を作成順に"), [this] { sortByName(false); }}};
    auto* editGrid = new QGridLayout;
    int cell = 0;
    for (const auto& [caption, action] : editButtons) {
        auto* button = new QPushButton(caption, this);
        connect(button, &QPushButton::clicked, this, action);
        editGrid->addWidget(button, cell / 6, cell % 6);
        ++cell;
    }
    editing->addLayout(editGrid);
    layout->addLayout(editing);

    auto* speeds = new QHBoxLayout;
    speeds->addWidget(new PlayBar([this](PlayBar::Cell pressed, bool, bool) {
        switch (pressed) {
        case PlayBar::Cell::Play: playback_.playOrResume(); break;
        case PlayBar::Cell::Pause: playback_.pause(); break;
        case PlayBar::Cell::Stop: playback_.stop(); break;
        case PlayBar::Cell::Rewind: playback_.rewind(); break;
        }
    }, this));
    const std::pair<QString, double> factors[] = {{"X2", 0.5}, {"X3", 0.33}, {"2/3", 1.5}, {"1/2", 2.0}, {ui::qtext("ui", "速度"), 1.0}};
    for (const auto& [caption, factor] : factors) {
        auto* button = new QPushButton(caption, this);
        connect(button, &QPushButton::clicked, this, [this, factor = factor] { playback_.engine().setSpeedFactor(factor); });
        speeds->addWidget(button);
    }
    layout->addLayout(speeds);
    layout->addLayout(practiceRow());

    graph_ = new Graph(session_, this);
    auto* graphButtons = new QHBoxLayout;
    const std::pair<QString, std::function<void()>> views[] = {
        {"T", [this] { graph_->showTempo = true; graph_->showVelocity = false; graph_->update(); }},
        {"V", [this] { graph_->showTempo = false; graph_->showVelocity = true; graph_->update(); }},
        {"TV", [this] { graph_->showTempo = graph_->showVelocity = true; graph_->update(); }},
        {"↑", [this] { graph_->ys *= 2; graph_->update(); }},
        {"↓", [this] { graph_->ys /= 2; graph_->update(); }},
        {ui::qtext("ui", "表示戻す"), [this] { graph_->ys = 1.0; graph_->update(); }}};
    for (const auto& [caption, action] : views) {
        auto* button = new QPushButton(caption, this);
        connect(button, &QPushButton::clicked, this, action);
        graphButtons->addWidget(button);
    }
    layout->addLayout(graphButtons);
    layout->addWidget(graph_, 1);
    list_ = new QListWidget(this);
    list_->setObjectName("playLstBx");
    layout->addWidget(list_, 1);
    playTime_ = new QLineEdit(this);
    playTime_->setObjectName("playTimeEdit");
    playTime_->setToolTip(ui::qtext("ui", "楽器モード: パート番号（p または p:V強さ）を入れてダブルクリック"));
    playTime_->installEventFilter(this);
    layout->addWidget(playTime_);
}

QHBoxLayout* PlaySettingsWindow::practiceRow() {
    auto* row = new QHBoxLayout;
    PracticeChoices& choices = window_.practice();
    // The tuner's input device; the output is the synthesizer's.
    auto* input = new QComboBox(this);
    input->setObjectName("inputDevice");
    const std::vector<InputDevice> devices = SoundInput::devices();
    input->addItem(devices.empty() ? ui::qtext("ui", "（入力装置なし）") : ui::qtext("ui", "既定の入力装置"), QByteArray());
    for (const InputDevice& device : devices) {
        input->addItem(device.description, device.id);
        if (device.id == choices.inputDevice) input->setCurrentIndex(input->count() - 1);
    }
    input->setEnabled(!devices.empty());
    connect(input, &QComboBox::currentIndexChanged, this, [this, input](int index) {
        window_.practice().inputDevice = input->itemData(index).toByteArray();
        writePracticeChoices(window_.practice());
    });
    row->addWidget(new QLabel(ui::qtext("ui", "音声入力"), this));
    row->addWidget(input, 1);
    auto* volume = new QSpinBox(this);
    volume->setObjectName("clickVolume");
    volume->setRange(1, 127);
    volume->setValue(choices.playback.clickVolume);
    connect(volume, &QSpinBox::valueChanged, this, [this](int value) {
        window_.practice().playback.clickVolume = value;
        writePracticeChoices(window_.practice());
    });
    row->addWidget(new QLabel(ui::qtext("ui", "クリック音量"), this));
    row->addWidget(volume);
    return row;
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

void PlaySettingsWindow::endRangePicking() {
    rangeStart_ = rangeEnd_ = nullptr;
    setWindowTitle(ui::qtext("ui", "演奏設定 "));
    startBox_->clear();
    endBox_->clear();
    startLabel_->setStyleSheet("color: green");
    endLabel_->setStyleSheet("color: green");
}

void PlaySettingsWindow::setMode(Mode mode) {
    mode_ = mode;
    modes_[mode]->setChecked(true);
    refreshList();
}

std::vector<midi::PlaySetting>& PlaySettingsWindow::current() {
    return mode_ == Velocity ? session_.playSettings.velocitySettings : session_.playSettings.tempoSettings;
}

const std::vector<midi::PlaySetting>& PlaySettingsWindow::current() const {
    return mode_ == Velocity ? session_.playSettings.velocitySettings : session_.playSettings.tempoSettings;
}

void PlaySettingsWindow::refreshList() {
    list_->clear();
    if (mode_ == Instrument) {
        for (const char* name : midi::instrumentNames()) list_->addItem(ui::qtext("ui", name));
        return;
    }
    std::vector<size_t> order(current().size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    if (byName_) {
        std::stable_sort(order.begin(), order.end(),
                         [this](size_t a, size_t b) { return current()[a].settingName < current()[b].settingName; });
    }
    for (size_t index : order) {
        auto* item = new QListWidgetItem(qt(midi::settingLine(current()[index])), list_);
        item->setData(Qt::UserRole, static_cast<qulonglong>(index));
    }
    if (graph_) graph_->update();
}

std::optional<size_t> PlaySettingsWindow::selectedIndex() const {
    const QListWidgetItem* item = list_->currentItem();
    if (!item || mode_ == Instrument) return std::nullopt;
    const size_t index = item->data(Qt::UserRole).toULongLong();
    return index < current().size() ? std::optional<size_t>(index) : std::nullopt;
}

void PlaySettingsWindow::showPlayTime() { playTime_->setText(qt(midi::playTimeText(session_.score, session_.score.curPart))); }

void PlaySettingsWindow::notePicked(const model::TNote& note) {
    if (rangeStart_ && rangeEnd_) return;  // both ends are set until a setting is added
    QLineEdit* box = rangeStart_ ? endBox_ : startBox_;
    QLabel* label = rangeStart_ ? endLabel_ : startLabel_;
    (rangeStart_ ? rangeEnd_ : rangeStart_) = &note;
    showValue(box, note);
    label->setStyleSheet("color: darkblue");
}

bool PlaySettingsWindow::addSetting() {
    if (mode_ == Instrument) return false;
    const bool tempo = mode_ == Tempo;
    const std::optional<int> from = boxValue(startBox_, tempo);
    const std::optional<int> to = boxValue(endBox_, tempo);
    if (tempo && (!from || !to || *from == 0 || *to == 0)) {
        setWindowTitle(ui::qtext("ui", kZeroTempo));
        return false;
    }
    if (!from || !to || !rangeStart_ || !rangeEnd_ || rangeEnd_->startPos < rangeStart_->startPos) return false;
    const std::string name = name_->text().isEmpty() ? "." + std::to_string(rangeStart_->startPos) : name_->text().toStdString();
    const midi::PlaySetting setting{name, rangeStart_->startPos, rangeEnd_->startPos, *from, *to};
    applyToNotes(setting);
    current().push_back(setting);
    setWindowTitle(ui::qtext("ui", kCaption));
    rangeStart_ = rangeEnd_ = nullptr;
    startLabel_->setStyleSheet("color: green");
    endLabel_->setStyleSheet("color: green");
    refreshList();
    return true;
}

void PlaySettingsWindow::deleteSelected() {
    const std::optional<size_t> index = selectedIndex();
    if (!index) return;
    current().erase(current().begin() + static_cast<long>(*index));
    refreshList();
}

void PlaySettingsWindow::insertCopy() {
    const std::optional<size_t> index = selectedIndex();
    if (!index) return;
    const midi::PlaySetting copy = current()[*index];
    current().insert(current().begin() + static_cast<long>(*index), copy);
    refreshList();
}

void PlaySettingsWindow::undoLast() {
    if (mode_ != Tempo || current().empty()) return;
    const midi::PlaySetting last = current().back();
    for (model::TNote* note = session_.score.part(session_.score.curPart).partHead; note && !note->isEndMarker(); note = note->next) {
        if (note->startPos < last.rangeStartPos || last.rangeEndPos == last.rangeStartPos) continue;
        if (note->prevPlayTime > 0) note->playTime = note->prevPlayTime;
        if (note->startPos >= last.rangeEndPos) break;
    }
    current().pop_back();
    edit::markChanged(session_.score);
    refreshList();
    showPlayTime();
    window_.redraw();
}

void PlaySettingsWindow::continueLast() {
    if (mode_ == Instrument || current().empty()) return;
    const midi::PlaySetting& last = current().back();
    for (const model::TNote* note = session_.score.part(session_.score.curPart).partHead; note && !note->isEndMarker(); note = note->next) {
        if (note->startPos < last.rangeEndPos) continue;
        rangeStart_ = note;
        rangeEnd_ = nullptr;
        startBox_->setText(mode_ == Tempo ? QString::number(last.endValue / 10.0, 'f', 1) : QString::number(last.endValue));
        startLabel_->setStyleSheet("color: darkblue");
        return;
    }
}

void PlaySettingsWindow::showValue(QLineEdit* box, const model::TNote& note) {
    if (mode_ == Tempo && note.playTime > 0) {
        box->setText(QString::number(std::lround(note.len * 50000.0 / note.playTime) / 10.0, 'f', 1));
    } else if (mode_ == Velocity) {
        box->setText(QString::number(note.velocity));
    }
}

void PlaySettingsWindow::presetValue(bool start) {
    if (const model::TNote* note = start ? rangeStart_ : rangeEnd_) showValue(start ? startBox_ : endBox_, *note);
}

bool PlaySettingsWindow::beginEdit() {
    const std::optional<size_t> index = selectedIndex();
    if (!index) {
        window_.dialogs().message(platform::MessageKind::Information, ui::text("ui", "データが存在しません"));
        return false;
    }
    editing_ = index;
    const midi::PlaySetting& setting = current()[*index];
    const bool tempo = mode_ == Tempo;
    name_->setText(qt(setting.settingName));
    startBox_->setText(tempo ? QString::number(setting.startValue / 10.0, 'f', 1) : QString::number(setting.startValue));
    endBox_->setText(tempo ? QString::number(setting.endValue / 10.0, 'f', 1) : QString::number(setting.endValue));
    return true;
}

bool PlaySettingsWindow::saveEdit() {
    if (!editing_ || *editing_ >= current().size()) {
        window_.dialogs().message(platform::MessageKind::Information, ui::text("ui", "データが存在しません"));
        return false;
    }
    midi::PlaySetting& setting = current()[*editing_];
    const bool tempo = mode_ == Tempo;
    const std::optional<int> from = boxValue(startBox_, tempo);
    const std::optional<int> to = boxValue(endBox_, tempo);
    if (!from || !to || (tempo && (*from == 0 || *to == 0))) {
        if (tempo) setWindowTitle(ui::qtext("ui", kZeroTempo));
        return false;
    }
    setting.settingName = name_->text().toStdString();
    setting.startValue = *from;
    setting.endValue = *to;
    applyToNotes(setting);
    editing_.reset();
    refreshList();
    return true;
}

void PlaySettingsWindow::discardEdit() { editing_.reset(); }

void PlaySettingsWindow::copyValues() { copiedValues_ = {startBox_->text(), endBox_->text()}; }

void PlaySettingsWindow::pasteValues() {
    startBox_->setText(copiedValues_.first);
    endBox_->setText(copiedValues_.second);
}

void PlaySettingsWindow::sortByName(bool byName) {
    byName_ = byName;
    refreshList();
}

void PlaySettingsWindow::applyToNotes(const midi::PlaySetting& setting) {
    if (mode_ == Tempo) {
        midi::applyTempoSetting(session_.score, session_.score.curPart, setting);
    } else {
        midi::applyVelocitySetting(session_.score, session_.score.curPart, setting);
    }
    edit::markChanged(session_.score);
    showPlayTime();
    window_.redraw();
}

void PlaySettingsWindow::deleteAll() {
    if (mode_ == Instrument) return;
    current().clear();
    refreshList();
}

void PlaySettingsWindow::resetTempo() {
    setWindowTitle(ui::qtext("ui", kCaption));
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
    const std::string filter = ui::text("ui", "演奏設定ファイル|*.pst|Any Files|*.*|");
    auto proposed = [&session] {
        return session.currentFile.empty() ? std::filesystem::path() : std::filesystem::path(session.currentFile).replace_extension(".pst");
    };
    window.bind(files + kPathSeparator + "演奏設定保存", [&window, &session, filter, proposed] {
        auto chosen = window.dialogs().saveFile(ui::text("ui", "演奏設定保存"), filter, proposed());
        if (!chosen) return;
        platform::IoError error;
        if (!platform::writeFileAtomically(std::filesystem::path(*chosen).replace_extension(".pst"),
                                           platform::encodeLines(midi::pstLines(session.playSettings)).bytes, error)) {
            window.dialogs().message(platform::MessageKind::Error, error.message);
        }
    });
    window.bind(files + kPathSeparator + "演奏設定読み込み", [&window, &settings, filter, proposed] {
        auto chosen = window.dialogs().openFile(ui::text("ui", "演奏設定読み込み"), filter, proposed());
        if (!chosen) return;
        platform::IoError error;
        const auto bytes = platform::readFileBytes(*chosen, error);
        const auto read = bytes ? midi::parsePst(platform::decodeLines(*bytes)) : std::nullopt;
        if (!read) {
            window.dialogs().message(platform::MessageKind::Error, bytes ? ui::text("ui", "演奏設定ファイルではありません") : error.message);
            return;
        }
        settings.loadSettings(*read);
        window.redraw();
    });
}

}  // namespace shinofu::app
