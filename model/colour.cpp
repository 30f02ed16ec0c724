#include "model/colour.h"

#include <array>
#include <cctype>
#include <utility>

namespace shinofu::model {

std::optional<Colour> colourFromName(std::string_view name) {
    static constexpr std::array<std::pair<std::string_view, Colour>, 15> kNames = {{
        {"BLACK", rgb(0x00, 0x00, 0x00)}, {"DKGRAY", rgb(0x80, 0x80, 0x80)}, {"LTGRAY", rgb(0xC0, 0xC0, 0xC0)},
        {"WHITE", rgb(0xFF, 0xFF, 0xFF)}, {"RED", rgb(0xFF, 0x00, 0x00)},    {"YELLOW", rgb(0xFF, 0xFF, 0x00)},
        {"OLIVE", rgb(0x80, 0x80, 0x00)}, {"LIME", rgb(0x00, 0xFF, 0x00)},   {"GREEN", rgb(0x00, 0x80, 0x00)},
        {"FUCHSIA", rgb(0xFF, 0x00, 0xFF)}, {"PURPLE", rgb(0x80, 0x00, 0x80)}, {"AQUA", rgb(0x00, 0xFF, 0xFF)},
        {"BLUE", rgb(0x00, 0x00, 0xFF)},  {"NAVY", rgb(0x00, 0x00, 0x80)},   {"TEAL", rgb(0x00, 0x80, 0x80)},
    }};
    for (const auto& [known, colour] : kNames) {
        if (known.size() != name.size()) continue;
        bool same = true;
        for (size_t i = 0; i < known.size() && same; ++i) {
            same = std::toupper(static_cast<unsigned char>(name[i])) == known[i];
        }
        if (same) return colour;
    }
    return std::nullopt;
}

}  // namespace shinofu::model
