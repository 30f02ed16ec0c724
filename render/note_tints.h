// Colours some notes of a part are drawn in instead of the page's, each with a short word above
// it: how a practice went, on the staff page and the numeric page alike.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "model/colour.h"

namespace shinofu::render {

struct NoteTint {
    model::Colour colour = 0;
    std::string label;  // "+35", "早", "遅", "抜"; empty for a note that went well
};

struct NoteTints {
    int part = 0;
    std::map<int32_t, NoteTint> byStart;  // by the note's startPos

    const NoteTint* of(int notePart, int32_t startPos) const {
        if (notePart != part) return nullptr;
        const auto found = byStart.find(startPos);
        return found == byStart.end() ? nullptr : &found->second;
    }
};

}  // namespace shinofu::render
