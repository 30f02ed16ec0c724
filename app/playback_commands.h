// Live playback in the editor: the Play command, the position marker over the score, and the
// engine with its timer thread, which the window owns for as long as its MIDI output.
#pragma once

#include <QObject>
#include <memory>

#include "app/session.h"
#include "midi/playback_engine.h"
#include "platform/midi_out.h"
#include "platform/timer_service.h"

class QFrame;

namespace shinofu::app {

class MainWindow;

class PlaybackController : public QObject {
public:
    PlaybackController(MainWindow& window, Session& session, platform::MidiOut& out);
    ~PlaybackController() override;  // the timer thread ends before the engine and the output go

    // "演奏": starts from the picked measure (or the beginning), or stops a running performance.
    void togglePlay();
    void stop();
    midi::PlaybackEngine& engine() { return *engine_; }

private:
    void showPosition(int32_t tick);
    void performanceEnded();

    MainWindow& window_;
    Session& session_;
    std::unique_ptr<platform::TimerService> timers_;
    std::unique_ptr<midi::PlaybackEngine> engine_;
    QFrame* marker_;
};

void bindPlaybackCommands(MainWindow& window, PlaybackController& playback);

}  // namespace shinofu::app
