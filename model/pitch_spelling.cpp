#include "model/pitch_spelling.h"

#include <array>

#include "model/key_signature.h"
#include "model/pitch.h"

namespace shinofu::model {
namespace {

constexpr std::array<int, 7> kLetterClass = {0, 2, 4, 5, 7, 9, 11};  // C D E F G A B
constexpr int kLetterB = 6;
constexpr int kLetterC = 0;

int letterOfClass(int pitchClass) {
    for (int letter = 0; letter < 7; ++letter) {
        if (kLetterClass[letter] == pitchClass) return letter;
    }
    return -1;
}

int mod12(int value) { return ((value % 12) + 12) % 12; }

WrittenNote onStaff(int letter, int octave, uint8_t accidental) {
    return {static_cast<uint8_t>(1 + 7 * octave + letter), accidental};
}

}  // namespace

int accidentalSemitones(uint8_t accidental) {
    switch (accidental) {
    case kSharp: return 1;
    case kFlat: return -1;
    case kDoubleSharp: return 2;
    case kDoubleFlat: return -2;
    default: return 0;
    }
}

std::optional<uint8_t> accidentalOfAlteration(int alteration) {
    switch (alteration) {
    case -2: return kDoubleFlat;
    case -1: return kFlat;
    case 0: return kNatural;
    case 1: return kSharp;
    case 2: return kDoubleSharp;
    default: return std::nullopt;
    }
}

int chromaticOf(uint8_t pitch, uint8_t accidental, int keySig) {
    const int natural = semitoneOfPitch(pitch, 0);
    const int degree = (pitch - 1) % 7;
    if (accidental == kNoAccidental) return natural + keyAlteration(keySig, degree);
    return natural + accidentalSemitones(accidental);
}

WrittenNote writtenForm(int chromatic, int keySig) {
    const int pitchClass = mod12(chromatic - 1);
    const int octave = (chromatic - 1) / 12;
    for (int letter = 0; letter < 7; ++letter) {
        if (keyAlteration(keySig, letter) > 0 && kLetterClass[letter] == mod12(pitchClass - 1)) {
            // B♯ belongs to the octave below; below c- it is written as the C it sounds.
            if (letter == kLetterB && octave == 0) return onStaff(kLetterC, 0, kNatural);
            return onStaff(letter, letter == kLetterB ? octave - 1 : octave, kNoAccidental);
        }
    }
    for (int letter = 0; letter < 7; ++letter) {
        if (keyAlteration(keySig, letter) < 0 && kLetterClass[letter] == mod12(pitchClass + 1)) {
            // C♭ belongs to the octave above; above b3 it is written as the B it sounds.
            if (letter == kLetterC && octave == 4) return onStaff(kLetterB, 4, kNatural);
            return onStaff(letter, letter == kLetterC ? octave + 1 : octave, kNoAccidental);
        }
    }
    const int natural = letterOfClass(pitchClass);
    if (natural >= 0) {
        return onStaff(natural, octave, keyAlteration(keySig, natural) != 0 ? kNatural : kNoAccidental);
    }
    return onStaff(letterOfClass(pitchClass - 1), octave, kSharp);
}

}  // namespace shinofu::model
