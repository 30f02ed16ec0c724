// Pitch, accidental and group-role codes of a note record, and their file tokens.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace shinofu::model {

// Staff position codes: 1..35 are "c-" .. "b3" by diatonic degree; 15 is middle C.
constexpr uint8_t kRest = 0;
constexpr uint8_t kLowestPitch = 1;
constexpr uint8_t kMiddleC = 15;
constexpr uint8_t kHighestPitch = 35;
constexpr uint8_t kHiddenRest = 43;
constexpr uint8_t kEndMarker = 44;
// Codes below this are notes and rests that take time; above it, markers.
constexpr uint8_t kFirstMarkerCode = 36;

enum Accidental : uint8_t {
    kSharp = 0,
    kFlat = 1,
    kNatural = 2,
    kDoubleSharp = 3,
    kDoubleFlat = 4,
    kNoAccidental = 5,
};

// Roles of beams and tuplets: 0 none, 1 first, 2 inner, 3 last. Ties and slurs add 4: end and start at once.
enum GroupRole : uint8_t {
    kNoRole = 0,
    kRoleStart = 1,
    kRoleMiddle = 2,
    kRoleEnd = 3,
    kRoleEndAndStart = 4,
};

bool isStaffPitch(uint8_t pitch);
// The score file's name of a pitch code: "rest", "c-" .. "b3", "no", "nw".
std::string_view pitchName(uint8_t pitch);
std::optional<uint8_t> pitchFromName(std::string_view name);

std::string_view accidentalToken(uint8_t accidental);
uint8_t accidentalFromToken(std::string_view token);

}  // namespace shinofu::model
