// Choosing the flute: by hand (笛変更) or from the key signature (笛の自動設定).
#pragma once

#include "model/score.h"

namespace shinofu::numeric {

// The automatic rules by the tonic's fingering: 一, 〇 (０), 五 or 四.
enum class AutoFlute : int { Ichi = 1, Zero = 2, Go = 3, Yon = 4 };

struct FluteChoice {
    bool manual = true;
    AutoFlute mode = AutoFlute::Ichi;
};

// "一本" .. "十二本", the flute's name in the menus and windows; flute is 1..12.
const char* fluteName(int flute);

// The flute on which the key's tonic takes the mode's fingering.
int autoFluteFor(AutoFlute mode, int keySig);

// Sets the flute and rewrites the flute key text ("8本"), leaving how later flutes are chosen.
void setFlute(model::Score& score, int flute);
// Sets the flute as chosen by hand.
void changeFlute(model::Score& score, FluteChoice& choice, int flute);
void setFueAuto(model::Score& score, FluteChoice& choice, AutoFlute mode);

}  // namespace shinofu::numeric
