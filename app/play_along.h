// "練習（演奏について行く）": the player plays the current part from the picked measure, the marker
// follows the notes they reach, and at the end every note is coloured by what became of it.
#pragma once

#include <QObject>

class QFrame;
class QLabel;
#include <memory>
#include <optional>

#include "app/practice_choices.h"
#include "app/session.h"
#include "app/sound_input.h"
#include "audio/pitch_tracker.h"
#include "audio/score_follower.h"
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
    // Takes sound as the input delivers it (tests feed it directly too).
    void hear(std::span<const float> samples);
    // The colours of the last report, while the score is as it was then.
    const render::NoteTints* tints() const;
    const std::optional<audio::FollowReport>& report() const { return report_; }
    // The panel over the page with the summary line and what the colours mean.
    QFrame* reportPanel() const { return panel_; }

private:
    void start();
    void finish();

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
    QFrame* panel_;
    QLabel* summary_;
};

void bindPlayAlongCommands(MainWindow& window, PlayAlong& playAlong);

}  // namespace shinofu::app
