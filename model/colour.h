// Colours as 0x00BBGGRR values, and the colour names the configuration file uses.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace shinofu::model {

using Colour = uint32_t;

constexpr Colour rgb(unsigned red, unsigned green, unsigned blue) { return red | (green << 8) | (blue << 16); }
constexpr unsigned redOf(Colour colour) { return colour & 0xFF; }
constexpr unsigned greenOf(Colour colour) { return (colour >> 8) & 0xFF; }
constexpr unsigned blueOf(Colour colour) { return (colour >> 16) & 0xFF; }

// "BLACK", "RED", … compared without regard to case.
std::optional<Colour> colourFromName(std::string_view name);

}  // namespace shinofu::model
