#include "musicxml/alterations.h"

#include <array>
#include <cstdlib>

#include "model/pitch.h"

namespace shinofu::musicxml {

int keyAlteration(int fifths, int step) {
    static constexpr std::array<int, 7> kSharpOrder = {3, 0, 4, 1, 5, 2, 6};  // F C G D A E B
    for (int i = 0; i < std::abs(fifths) && i < 7; ++i) {
        const int altered = fifths > 0 ? kSharpOrder[static_cast<size_t>(i)] : kSharpOrder[static_cast<size_t>(6 - i)];
        if (altered == step) return fifths > 0 ? 1 : -1;
    }
    return 0;
}

uint8_t accidentalOfAlter(int alter) {
    switch (alter) {
        case 1: return model::kSharp;
        case -1: return model::kFlat;
        case 2: return model::kDoubleSharp;
        case -2: return model::kDoubleFlat;
        default: return model::kNatural;
    }
}

int alterOfAccidental(uint8_t accidental) {
    switch (accidental) {
        case model::kSharp: return 1;
        case model::kFlat: return -1;
        case model::kDoubleSharp: return 2;
        case model::kDoubleFlat: return -2;
        default: return 0;
    }
}

}  // namespace shinofu::musicxml
