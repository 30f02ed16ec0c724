// "練習（演奏について行く）": the player plays the current part from the picked measure, the marker
// follows the notes they reach, and at the end every note is coloured by what became of it.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <atomic>

class QFrame;
class QLabel;
#include <memory>
#include <optional>

#include "app/practice_choices.h"
#include "app/session.h"
#include "app/sound_input.h"
#include "audio/pitch_tracker.h"
#include "audio/score_follower.h"
#include "midi/playback_engine.h"
#include "platform/timer_service.h"
#include "render/note_tints.h"

namespace shinofu::app {

class MainWindow;
class PlaybackController;

class PlayAlong : public QObject {
public:
    PlayAlong(MainWindow& window, Session& session, PlaybackController& playback, PracticeChoices& choices);
    ~PlayAlong() override;

    // Starts following, or ends it and shows how it went.
    void toggle();
    bool following() const { return follower_ != nullptr; }
    // The note of the part the player is on, -1 before the first (or when not following).
    int position() const { return follower_ ? follower_->position() : -1; }
    // The colours of the last report, while the score is as it was then.
    const render::NoteTints* tints() const;
    const std::optional<audio::FollowReport>& report() const { return report_; }
    // Where the accompaniment last was (length units), -1 without one.
    int32_t accompanimentTick() const { return accompaniment_ && accompaniment_->playing() ? accompanimentTick_.load() : -1; }
    // The panel over the page with the summary line and what the colours mean.
    QFrame* reportPanel() const { return panel_; }

private:
    void start();
    void finish();
    // Takes sound as the input delivers it.
    void hear(std::span<const float> samples);
    void startAccompaniment(int32_t from);
    // Towards the player's pace and place, each time the marker moves.
    void keepAccompanimentWith(int position);

    MainWindow& window_;
    Session& session_;
    PlaybackController& playback_;
    PracticeChoices& choices_;
    SoundInput input_;
    std::unique_ptr<audio::PitchTracker> tracker_;
    std::unique_ptr<audio::ScoreFollower> follower_;
    int part_ = 1;
    double quietSeconds_ = 0;  // since the last pitched sound
    std::optional<audio::FollowReport> report_;
    render::NoteTints tints_;
    uint64_t tintedState_ = 0;  // the score's state the colours belong to
    // The accompaniment: its own engine and timer thread, and where it last was (from that thread).
    std::unique_ptr<platform::TimerService> timers_;
    std::unique_ptr<midi::PlaybackEngine> accompaniment_;
    std::atomic<int32_t> accompanimentTick_{0};
    std::atomic<int64_t> accompanimentAt_{0};  // milliseconds on clock_ when it was there
    QElapsedTimer clock_;
    QFrame* panel_;
    QLabel* summary_;
};

void bindPlayAlongCommands(MainWindow& window, PlayAlong& playAlong);

}  // namespace shinofu::app
