#include "model/measure_spelling.h"

#include "model/key_signature.h"
#include "model/pitch.h"

namespace shinofu::model {
namespace {

int naturalChromatic(uint8_t pitch) { return semitoneOfPitch(pitch, 0); }

}  // namespace

bool continuesTie(const TNote& note) {
    return note.tie == kRoleMiddle || note.tie == kRoleEnd || note.tie == kRoleEndAndStart;
}

WrittenNote MeasureSpelling::spell(int chromatic) {
    const WrittenNote written = writtenForm(chromatic, keySig_);
    return keep(written.pitch, written.accidental, chromatic);
}

WrittenNote MeasureSpelling::keep(uint8_t pitch, uint8_t accidental, int chromatic) {
    const int natural = naturalChromatic(pitch);
    const int degree = (pitch - 1) % 7;
    WrittenNote written{pitch, accidental};
    if (accidental != kNoAccidental) {
        if (natural + accidentalSemitones(accidental) != chromatic) {
            written.accidental = accidentalOfAlteration(chromatic - natural).value_or(accidental);
        }
    } else {
        const uint8_t carried = carry_.carried(pitch);
        const int inEffect = carried != kNoAccidental ? accidentalSemitones(carried) : keyAlteration(keySig_, degree);
        if (natural + inEffect != chromatic) {
            written.accidental = accidentalOfAlteration(chromatic - natural).value_or(kNoAccidental);
        }
    }
    if (written.accidental != kNoAccidental) carry_.write(pitch, written.accidental);
    return written;
}

void MeasureSpelling::advance(int len) {
    total_ += len;
    if (measureLen_ > 0 && total_ % measureLen_ < 2) carry_.clear();
}

std::vector<int> soundingChromatics(const Score& score, int part) {
    std::vector<int> chromatics;
    AccidentalCarry carry;
    const int measureLen = score.measureLen();
    int total = 0;
    int previous = 0;
    uint8_t previousPitch = kRest;
    for (const TNote* note = score.part(part).partHead; note && !note->isEndMarker(); note = note->next) {
        int chromatic = 0;
        if (isStaffPitch(note->pitch)) {
            if (note->accidental != kNoAccidental) carry.write(note->pitch, note->accidental);
            const uint8_t inEffect = note->accidental != kNoAccidental ? note->accidental : carry.carried(note->pitch);
            chromatic = chromaticOf(note->pitch, inEffect, score.song.keySig);
            if (continuesTie(*note) && previous != 0 && previousPitch == note->pitch) chromatic = previous;
        }
        chromatics.push_back(chromatic);
        previous = chromatic;
        previousPitch = note->pitch;
        total += note->len;
        if (measureLen > 0 && total % measureLen < 2) carry.clear();
    }
    return chromatics;
}

}  // namespace shinofu::model
