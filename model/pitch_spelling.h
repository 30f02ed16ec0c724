// Spelling: a chromatic number written as a staff position and accidental in a key, and back.
#pragma once

#include <cstdint>
#include <optional>

namespace shinofu::model {

// A chromatic number as a staff position and accidental in a key.
struct WrittenNote {
    uint8_t pitch;
    uint8_t accidental;
};
// Sounds in the key are written without accidentals, others with the sign that departs least from
// the key. The forms without a staff position (B♯ below c-, C♭ above b3) are respelled as C and B.
WrittenNote writtenForm(int chromatic, int keySig);

// Semitones a written accidental moves its letter from natural: ♯ +1, ♭ -1, 𝄪 +2, 𝄫 -2, ♮ and none 0.
int accidentalSemitones(uint8_t accidental);

// The accidental that moves a letter by -2..2 semitones (0: a natural); nothing beyond.
std::optional<uint8_t> accidentalOfAlteration(int alteration);

// The chromatic number a note sounds (1 = c- .. 60 = b3): its written accidental, else the key's.
int chromaticOf(uint8_t pitch, uint8_t accidental, int keySig);

}  // namespace shinofu::model
