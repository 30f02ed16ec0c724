// The playback settings window (TplaySform, "演奏設定"): the instrument of each part, tempo and
// velocity curves over a range of notes picked on the score, the speed buttons and the play bar.
#pragma once

#include <QWidget>
#include <optional>

#include "app/session.h"
#include "midi/play_settings.h"

class QHBoxLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QRadioButton;

namespace shinofu::app {

class MainWindow;
class PlaybackController;

class PlaySettingsWindow : public QWidget {
public:
    enum Mode { Velocity = 0, Tempo = 1, Instrument = 2 };

    PlaySettingsWindow(MainWindow& window, Session& session, PlaybackController& playback);

    // "演奏設定&I": shown in instrument mode with mode 21 in the main window, or hidden again.
    void toggle();
    // A note picked on the score while the window is open: the range start, then its end.
    void notePicked(const model::TNote& note);
    // Escape while picking: the range is forgotten and its boxes emptied.
    void endRangePicking();
    void setMode(Mode mode);
    // Adds a setting from the range and the two values and applies it to the current part.
    bool addSetting();
    void deleteSelected();
    void deleteAll();
    // "挿入": the selected setting twice, the copy in front.
    void insertCopy();
    // "戻す": the notes of the last tempo setting get their previous play times back; the setting goes.
    void undoLast();
    // "継続": the next range starts where the last setting ended, at its end value.
    void continueLast();
    // "preset": the start (or end) box takes the present value of the range's note.
    void presetValue(bool start);
    // "編集開始" loads the selected setting, "編集の設定保存" stores and applies the edited values, "編集破棄" drops them.
    bool beginEdit();
    bool saveEdit();
    void discardEdit();
    // "値を複写", "値を貼付": the two values through a clip of their own.
    void copyValues();
    void pasteValues();
    // "名前順に" and "追加分を作成順に": how the list is ordered.
    void sortByName(bool byName);
    void resetTempo();
    // Instrument mode: "p" or "p:Vn" in the play-time box gives part p the selected instrument.
    bool applyInstrument(const std::string& text);
    // The settings after a ".pst" file was read: the list shows them and the notes follow.
    void loadSettings(const midi::PlaySettings& settings);
    const midi::PlaySettings& settings() const { return session_.playSettings; }
    QListWidget* list() const { return list_; }
    QLineEdit* startBox() const { return startBox_; }
    QLineEdit* endBox() const { return endBox_; }
    QLineEdit* playTimeBox() const { return playTime_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The input device and the click's volume, kept with the practice choices.
    QHBoxLayout* practiceRow();
    void refreshList();
    void showPlayTime();
    void showValue(QLineEdit* box, const model::TNote& note);
    std::optional<size_t> selectedIndex() const;
    void applyToNotes(const midi::PlaySetting& setting);
    std::vector<midi::PlaySetting>& current();
    const std::vector<midi::PlaySetting>& current() const;

    MainWindow& window_;
    Session& session_;
    PlaybackController& playback_;
    Mode mode_ = Instrument;
    const model::TNote* rangeStart_ = nullptr;
    const model::TNote* rangeEnd_ = nullptr;
    QListWidget* list_;
    QLineEdit* name_;
    QLineEdit* startBox_;
    QLineEdit* endBox_;
    QLineEdit* playTime_;
    QLabel* startLabel_;
    QLabel* endLabel_;
    std::array<QRadioButton*, 3> modes_{};
    std::optional<size_t> editing_;  // the listed setting being edited
    std::pair<QString, QString> copiedValues_;
    bool byName_ = false;
    class Graph;
    Graph* graph_ = nullptr;
};

// Reads and saves ".pst" files through the file menu.
void bindPlaySettingsCommands(MainWindow& window, Session& session, PlaySettingsWindow& settings);

}  // namespace shinofu::app
