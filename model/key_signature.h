// Key signatures 0..14 (C, 1..7 sharps, 1..7 flats), their file letters and the semitone number.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace shinofu::model {

constexpr int kKeyCount = 15;

// "C", "G" .. "C#", "F" .. "G-"; key 14 (seven flats) is written "C-" so that it survives a file.
std::string_view keyLetter(int keySig);
std::optional<int> keyFromLetter(std::string_view letter);
// Number of accidentals drawn in the signature.
int keyAccidentalCount(int keySig);
// Whether the signature sharpens (+1), flattens (-1) or leaves (0) a letter (degree 0 = C .. 6 = B).
int keyAlteration(int keySig, int degree);
// Chromatic number of a staff position under the key, before accidentals: "c-" = 1, "c1" = 25.
uint8_t semitoneOfPitch(uint8_t pitch, int keySig);

}  // namespace shinofu::model
