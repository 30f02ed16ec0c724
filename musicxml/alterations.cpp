#include "musicxml/alterations.h"

#include "model/pitch.h"

namespace shinofu::musicxml {

int fifthsOfKey(int keySig) { return keySig <= 7 ? keySig : -(keySig - 7); }
int keyOfFifths(int fifths) { return fifths >= 0 ? fifths : -fifths + 7; }

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
