#include "model/key_signature.h"

#include <array>

#include "model/pitch.h"

namespace shinofu::model {
namespace {

constexpr std::array<std::string_view, kKeyCount> kKeyLetters = {
    "C", "G", "D", "A", "E", "B", "F#", "C#", "F", "B-", "E-", "A-", "D-", "G-", "C-"};
// Degrees in the order sharps are added (F C G D A E B); flats go the other way (B E A D G C F).
constexpr std::array<int, 7> kSharpOrder = {3, 0, 4, 1, 5, 2, 6};
constexpr std::array<int, 7> kFlatOrder = {6, 2, 5, 1, 4, 0, 3};
constexpr std::array<int, 7> kDegreeSemitones = {0, 2, 4, 5, 7, 9, 11};

bool coveredBy(const std::array<int, 7>& order, int count, int degree) {
    for (int i = 0; i < count; ++i) {
        if (order[i] == degree) return true;
    }
    return false;
}

}  // namespace

std::string_view keyLetter(int keySig) { return kKeyLetters[keySig >= 0 && keySig < kKeyCount ? keySig : 0]; }

std::optional<int> keyFromLetter(std::string_view letter) {
    for (int key = 0; key < kKeyCount; ++key) {
        if (kKeyLetters[key] == letter) return key;
    }
    return std::nullopt;
}

int keyAccidentalCount(int keySig) { return keySig < 8 ? keySig : keySig - 7; }

int keyAlteration(int keySig, int degree) {
    if (keySig >= 1 && keySig <= 7) return coveredBy(kSharpOrder, keySig, degree) ? 1 : 0;
    if (keySig >= 8 && keySig <= 14) return coveredBy(kFlatOrder, keySig - 7, degree) ? -1 : 0;
    return 0;
}

uint8_t semitoneOfPitch(uint8_t pitch, int keySig) {
    if (!isStaffPitch(pitch)) return 69;
    int octave = (pitch - 1) / 7;
    int degree = (pitch - 1) % 7;
    return static_cast<uint8_t>(1 + 12 * octave + kDegreeSemitones[degree] + keyAlteration(keySig, degree));
}

}  // namespace shinofu::model
