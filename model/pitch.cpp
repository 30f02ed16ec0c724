#include "model/pitch.h"

#include <array>
#include <string>

namespace shinofu::model {
namespace {

constexpr std::array<std::string_view, 36> kPitchNames = {
    "rest", "c-", "d-", "e-", "f-", "g-", "a-", "b-", "c0", "d0", "e0", "f0", "g0", "a0", "b0", "c1", "d1", "e1",
    "f1",   "g1", "a1", "b1", "c2", "d2", "e2", "f2", "g2", "a2", "b2", "c3", "d3", "e3", "f3", "g3", "a3", "b3"};

}  // namespace

bool isStaffPitch(uint8_t pitch) { return pitch >= kLowestPitch && pitch <= kHighestPitch; }

std::string_view pitchName(uint8_t pitch) {
    if (pitch <= kHighestPitch) return kPitchNames[pitch];
    if (pitch == kEndMarker) return "nw";
    return "no";
}

std::optional<uint8_t> pitchFromName(std::string_view name) {
    // The table's order, computed: every file note passes here.
    constexpr std::string_view kLetters = "cdefgab";
    constexpr std::string_view kOctaves = "-0123";
    if (name.size() == 2) {
        const size_t letter = kLetters.find(name[0]);
        const size_t octave = kOctaves.find(name[1]);
        if (letter != std::string_view::npos && octave != std::string_view::npos) {
            return static_cast<uint8_t>(1 + octave * kLetters.size() + letter);
        }
        if (name == "no") return kHiddenRest;
        return std::nullopt;
    }
    if (name == kPitchNames[kRest]) return kRest;
    return std::nullopt;
}

std::string_view accidentalToken(uint8_t accidental) {
    switch (accidental) {
    case kSharp: return "#";
    case kFlat: return "f";
    case kNatural: return "-";
    case kDoubleSharp: return "x";
    case kDoubleFlat: return "d";
    default: return "n";
    }
}

uint8_t accidentalFromToken(std::string_view token) {
    if (token.empty()) return kNoAccidental;
    switch (token.front()) {
    case '#': return kSharp;
    case '-': return kNatural;
    case 'd': return kDoubleFlat;
    case 'f': return kFlat;
    case 'x': return kDoubleSharp;
    default: return kNoAccidental;
    }
}

}  // namespace shinofu::model
