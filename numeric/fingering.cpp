#include "numeric/fingering.h"

#include <array>

#include "model/key_signature.h"
#include "model/pitch.h"
#include "model/pitch_spelling.h"
#include "platform/ui_text.h"

namespace shinofu::numeric {
namespace {

constexpr int kUnplayable = 13;
constexpr int kFirstLowOctave = 13;
constexpr int kFirstSecondOctave = 28;
constexpr int kFirstThirdOctaveDot = 42;
constexpr int kLastThirdOctaveDot = 52;

std::array<std::string, kFingeringTableSize> buildTable() {
    std::array<std::string, kFingeringTableSize> table;
    table.fill("-");
    table[0] = "";
    // The low octave in kanji (筒 is all holes closed), then the upper octaves in full-width digits;
    // "x" marks the fingering a semitone below the plain symbol.
    const char* const low[] = {"筒", "-", "-", "一", "二x", "二", "三x", "三", "四", "五x", "五", "六x", "六", "０", "七"};
    const char* const digits[] = {"１", "２x", "２", "３x", "３", "４", "５x", "５", "６x", "６", "７x", "７", "８"};
    for (int i = 0; i < 15; ++i) table[13 + i] = low[i];
    for (int i = 0; i < 13; ++i) table[28 + i] = digits[i];
    for (int i = 0; i < 12; ++i) table[41 + i] = table[29 + i];
    // A copy of 13..52 whose last twelve carry a "^"; no flute and pitch reach it.
    for (int i = 0; i < 40; ++i) table[69 + i] = table[13 + i];
    for (int k = 97; k <= 108; ++k) table[k] += "^";
    return table;
}

const std::array<std::string, kFingeringTableSize>& fingeringTable() {
    static const auto table = buildTable();
    return table;
}


}  // namespace

int naturalSemitone(uint8_t pitch) {
    if (!model::isStaffPitch(pitch)) return kUnplayable;
    static constexpr std::array<int, 7> kDegrees = {0, 2, 4, 5, 7, 9, 11};
    return 1 + 12 * ((pitch - 1) / 7) + kDegrees[(pitch - 1) % 7];
}

bool keySharpens(uint8_t pitch, int keySig) {
    return model::isStaffPitch(pitch) && model::keyAlteration(keySig, (pitch - 1) % 7) > 0;
}

bool keyFlattens(uint8_t pitch, int keySig) {
    return model::isStaffPitch(pitch) && model::keyAlteration(keySig, (pitch - 1) % 7) < 0;
}

int semitoneOf(bool keyOnly, uint8_t pitch, uint8_t accidental, int keySig) {
    const int natural = naturalSemitone(pitch);
    const int fromKey = keySharpens(pitch, keySig) ? 1 : keyFlattens(pitch, keySig) ? -1 : 0;
    if (keyOnly || accidental == model::kNoAccidental) return natural + fromKey;
    // A written accidental replaces the signature's for its note: ♯ is always a semitone above the
    // natural letter, ♮ the letter itself, 𝄪 two semitones above.
    return natural + model::accidentalSemitones(accidental);
}

std::string fingeringAt(int k) { return k >= 0 && k < kFingeringTableSize ? fingeringTable()[k] : "-"; }

Numeral numeralOf(uint8_t pitch, uint8_t accidental, int flute, int keySig) {
    const int k = semitoneOf(false, pitch, accidental, keySig) - flute - 1;
    return {fingeringAt(k), k};
}

Numeral numeralOfKey(int key, int flute) {
    const int k = key - kMidiKeyOffset - flute - 1;
    return {fingeringAt(k), k};
}

Register registerOf(const Numeral& numeral) {
    if (numeral.symbol == "-" || numeral.index < kFirstLowOctave || numeral.index > kLastThirdOctaveDot) return Register::None;
    if (numeral.index < kFirstSecondOctave) return Register::Ro;
    return hasOctaveDot(numeral.index) ? Register::Daikan : Register::Kan;
}

const char* registerName(Register reg) {
    switch (reg) {
    case Register::Ro: return UI_TEXT("ui", "呂");
    case Register::Kan: return UI_TEXT("ui", "甲");
    case Register::Daikan: return UI_TEXT("ui", "大甲");
    case Register::None: break;
    }
    return "";
}

bool hasOctaveDot(int index) { return index >= kFirstThirdOctaveDot && index <= kLastThirdOctaveDot; }

bool hasMeriMark(const std::string& symbol) { return symbol.size() > 1 && symbol.back() == 'x'; }

std::string baseSymbol(const std::string& symbol) {
    return hasMeriMark(symbol) ? symbol.substr(0, symbol.size() - 1) : symbol;
}

std::string drawnSymbol(const std::string& symbol) { return symbol == "-" ? "×" : baseSymbol(symbol); }

}  // namespace shinofu::numeric
