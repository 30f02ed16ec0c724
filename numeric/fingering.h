// Flute keys and fingering numerals: the chromatic number of a written note and the fingering
// symbol it has on a flute of a given key (一本 .. 十二本).
#pragma once

#include <cstdint>
#include <string>

namespace shinofu::numeric {

constexpr int kFluteCount = 12;
constexpr int kFingeringTableSize = 113;
// A chromatic number plus this is the MIDI key it sounds: "c1" (chromatic number 25) is MIDI note 60.
constexpr int kMidiKeyOffset = 35;

// 1 + 12 × octave + the degree's semitones for codes 1..35; any other code yields 13.
int naturalSemitone(uint8_t pitch);
bool keySharpens(uint8_t pitch, int keySig);
bool keyFlattens(uint8_t pitch, int keySig);

// The chromatic number of a written note: with keyOnly the key signature alone, otherwise the
// written accidental, or the key signature when there is none.
int semitoneOf(bool keyOnly, uint8_t pitch, uint8_t accidental, int keySig);

struct Numeral {
    std::string symbol;  // UTF-8: "一", "二x", "５", "-", …
    int index;           // k = semitone − flute − 1; the table covers 0..112
};

// The fingering table entry k; positions outside the table show "-", like its own unplayable entries.
std::string fingeringAt(int k);
Numeral numeralOf(uint8_t pitch, uint8_t accidental, int flute, int keySig);

// The numeral of a sounding MIDI key on the flute: what a player fingers for a note they hear.
Numeral numeralOfKey(int key, int flute);

// The octave the numeral is played in, as the numeric notation writes it: 呂 in kanji, 甲 in digits,
// 大甲 in dotted digits; None for a note the flute cannot play.
enum class Register { None, Ro, Kan, Daikan };
Register registerOf(const Numeral& numeral);
// "呂", "甲", "大甲", or "" for None.
const char* registerName(Register reg);

// Whether the numeral lies in the third octave, which is marked with a dot above the symbol.
bool hasOctaveDot(int index);
// The symbol without its trailing meri mark "x", and whether it had one.
std::string baseSymbol(const std::string& symbol);
bool hasMeriMark(const std::string& symbol);
// The symbol as the pages draw it: its base, with the unplayable "-" as "×" so that it is not read as 一.
std::string drawnSymbol(const std::string& symbol);

}  // namespace shinofu::numeric
