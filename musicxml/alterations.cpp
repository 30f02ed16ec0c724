#include "musicxml/alterations.h"

namespace shinofu::musicxml {

int fifthsOfKey(int keySig) { return keySig <= 7 ? keySig : -(keySig - 7); }
int keyOfFifths(int fifths) { return fifths >= 0 ? fifths : -fifths + 7; }

}  // namespace shinofu::musicxml
