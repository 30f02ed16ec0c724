// Live playback in the editor: the Play command, the position marker over the score, and the
// engine with its timer thread, which the window owns for as long as its MIDI output.
#pragma once

#include <QObject>
#include <memory>
#include <optional>

#include "app/session.h"
#include "midi/playback_engine.h"
#include "platform/midi_out.h"
#include "platform/timer_service.h"

class QFrame;
class QLineEdit;

namespace shinofu::app {

class MainWindow;

// The picked measures, in length units: the one picked, or the range picked in measure editing.
struct PickedMeasures {
    int32_t start;
    int32_t end;  // where the last one ends
};
std::optional<PickedMeasures> pickedMeasures(Session& session);

class PlaybackController : public QObject {
public:
    PlaybackController(MainWindow& window, Session& session, platform::MidiOut& out);
    ~PlaybackController() override;  // the timer thread ends before the engine and the output go

    // "演奏": starts from the picked measure (or the beginning), or stops a running performance.
    void togglePlay();
    void stop();
    void pause() { engine_->pause(); }
    // The play cell: resumes a paused performance, else starts one.
    void playOrResume();
    // The next performance starts at the beginning.
    void rewind();
    // The speed box: the performance at `tempo` quarters a minute instead of the score's.
    bool setPlaybackTempo(const std::string& text);
    // A score was read or its song data changed: the speed box shows its tempo, played as written.
    void showScoreTempo();
    midi::PlaybackEngine& engine() { return *engine_; }
    platform::MidiOut& out() { return out_; }
    // The position marker over the note at the tick (of the current part), the view turning pages with it.
    void showPosition(int32_t tick);
    void hideMarker();

private:
    void showMarker();  // in the edit colour
    void performanceEnded();

    MainWindow& window_;
    Session& session_;
    platform::MidiOut& out_;
    std::unique_ptr<platform::TimerService> timers_;
    std::unique_ptr<midi::PlaybackEngine> engine_;
    QFrame* marker_;
    QLineEdit* speedBox_ = nullptr;

    friend void bindPlaybackCommands(MainWindow& window, Session& session, PlaybackController& playback);
};

// The Play command, the play bar and the speed box.
void bindPlaybackCommands(MainWindow& window, Session& session, PlaybackController& playback);

}  // namespace shinofu::app
