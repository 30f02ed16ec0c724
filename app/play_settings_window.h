// The playback settings window (TplaySform, "演奏設定"): the instrument of each part, tempo and
// velocity curves over a range of notes picked on the score, the speed buttons and the play bar.
#pragma once

#include <QWidget>

#include "app/session.h"
#include "midi/play_settings.h"

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
    void setMode(Mode mode);
    // Adds a setting from the range and the two values and applies it to the current part.
    bool addSetting();
    void deleteSelected();
    void deleteAll();
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
    void refreshList();
    void showPlayTime();
    std::vector<midi::PlaySetting>& current();

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
};

// Reads and saves ".pst" files through the file menu.
void bindPlaySettingsCommands(MainWindow& window, Session& session, PlaySettingsWindow& settings);

}  // namespace shinofu::app
