// Writing notes one after another through a part, measure by measure, so that each sounds the
// chromatic number asked: a sign is written wherever the accidentals already written in the
// measure (carried as the score carries them, an octave away too) would change the sound.
#pragma once

#include <vector>

#include "model/accidental_carry.h"
#include "model/pitch_spelling.h"
#include "model/score.h"

namespace shinofu::model {

class MeasureSpelling {
public:
    MeasureSpelling(int keySig, int measureLen) : keySig_(keySig), measureLen_(measureLen) {}

    // The key's written form of a chromatic number, with the sign the carry makes necessary.
    WrittenNote spell(int chromatic);
    // A note kept on its staff position: its own sign stays when it gives the sound, and a sign is
    // written or changed only where the key and the carry would give another.
    WrittenNote keep(uint8_t pitch, uint8_t accidental, int chromatic);
    // The record's length has passed: at a bar line the carry ends (one unit of tolerance, for
    // tuplet measures, as the performance pass has it).
    void advance(int len);

private:
    int keySig_;
    int measureLen_;
    int total_ = 0;
    AccidentalCarry carry_;
};

// The chromatic number (1 = c- .. 60 = b3) each record of a part sounds, in list order: by the
// key and the accidentals the measure carries; a note tied on sounds its tie's first note; 0 for
// rests and markers.
std::vector<int> soundingChromatics(const Score& score, int part);

// Whether a record continues a tie from the record before it.
bool continuesTie(const TNote& note);

}  // namespace shinofu::model
