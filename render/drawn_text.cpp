#include "render/drawn_text.h"

namespace shinofu::render {
namespace {

bool startsCharacter(unsigned char byte) { return (byte & 0xC0) != 0x80; }

}  // namespace

std::string drawnText(std::string_view utf8, size_t maxCharacters) {
    size_t characters = 0;
    for (size_t at = 0; at < utf8.size(); ++at) {
        if (!startsCharacter(static_cast<unsigned char>(utf8[at]))) continue;
        if (++characters == maxCharacters) {
            // The last place goes to the ellipsis when anything follows it.
            size_t next = at + 1;
            while (next < utf8.size() && !startsCharacter(static_cast<unsigned char>(utf8[next]))) ++next;
            if (next < utf8.size()) return std::string(utf8.substr(0, at)) + "…";
        }
    }
    return std::string(utf8);
}

}  // namespace shinofu::render
