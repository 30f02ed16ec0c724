// What a player chose for practice, kept between runs in the companion folder ("shinofu.practice"):
// the practice playback, the tuner's reference pitch and the input device.
#pragma once

#include <QByteArray>

#include "midi/accompaniment.h"
#include "midi/practice.h"

namespace shinofu::app {

struct PracticeChoices {
    midi::PracticeSettings playback;
    int referencePitch = 440;  // A4 in Hz, 430..450
    QByteArray inputDevice;    // empty: the system's default
    midi::Accompaniment accompaniment = midi::Accompaniment::None;  // of the play-along

    bool operator==(const PracticeChoices&) const = default;
};

// The saved choices, or the defaults where the file or a value is missing or out of range.
PracticeChoices readPracticeChoices();
// Whether they could be written.
bool writePracticeChoices(const PracticeChoices& choices);

}  // namespace shinofu::app
