// "チューナー": what the player is playing, as the note with its octave, the deviation on a needle,
// the frequency, and the fingering numeral of the score's flute with its register.
#pragma once

#include <QWidget>
#include <memory>

#include "app/practice_choices.h"
#include "app/session.h"
#include "app/sound_input.h"
#include "audio/pitch_tracker.h"
#include "audio/tuner.h"

class QLabel;
class QSpinBox;

namespace shinofu::app {

class MainWindow;

// The face of the tuner, painted from a reading.
class TunerFace : public QWidget {
public:
    explicit TunerFace(QWidget* parent);
    void showReading(const audio::TunerReading& reading, int flute);
    // The numeral as the face writes it: "五", "二x", "３・" (with its octave dot), "×" (unplayable); empty while silent.
    QString numeralText() const;
    QString registerText() const;
    QSize sizeHint() const override { return {420, 230}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    audio::TunerReading reading_;
    int flute_ = 8;
};

class TunerWindow : public QWidget {
public:
    TunerWindow(MainWindow& window, Session& session, PracticeChoices& choices);
    // "チューナー": shown and listening, or hidden and deaf again.
    void toggle();
    const TunerFace& face() const { return *face_; }
    QSpinBox* referenceBox() const { return reference_; }
    const SoundInput& input() const { return input_; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void listen();
    // Takes sound as the input delivers it.
    void hear(std::span<const float> samples);

    MainWindow& window_;
    Session& session_;
    PracticeChoices& choices_;
    SoundInput input_;
    std::unique_ptr<audio::PitchTracker> tracker_;
    audio::Tuner tuner_;
    TunerFace* face_;
    QSpinBox* reference_;
    QLabel* source_;
    bool placed_ = false;
};

// The window and its entry under オプション.
void bindTunerCommands(MainWindow& window, TunerWindow& tuner);

}  // namespace shinofu::app
