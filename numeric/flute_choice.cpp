#include "numeric/flute_choice.h"

#include <algorithm>
#include <array>
#include <string>

#include "numeric/fingering.h"
#include "platform/ui_text.h"

namespace shinofu::numeric {

const char* fluteName(int flute) {
    static constexpr std::array<const char*, kFluteCount> kNames = {
        UI_TEXT("menu", "一本"), UI_TEXT("menu", "二本"), UI_TEXT("menu", "三本"),   UI_TEXT("menu", "四本"),
        UI_TEXT("menu", "五本"), UI_TEXT("menu", "六本"), UI_TEXT("menu", "七本"),   UI_TEXT("menu", "八本"),
        UI_TEXT("menu", "九本"), UI_TEXT("menu", "十本"), UI_TEXT("menu", "十一本"), UI_TEXT("menu", "十二本")};
    return kNames[static_cast<size_t>(std::clamp(flute, 1, kFluteCount) - 1)];
}

void setFlute(model::Score& score, int flute) {
    score.song.fluteKey = flute;
    score.fixedSymbol(model::kFluteKeySymbol).text = std::to_string(flute) + "本";
}

int autoFluteFor(AutoFlute mode, int keySig) {
    // Columns run along the circle of fifths from seven sharps (1) over C (8) to seven flats (15);
    // each row steps five flutes per column.
    static constexpr std::array<std::array<int, 15>, 4> kTable = {{
        {9, 2, 7, 12, 5, 10, 3, 8, 1, 6, 11, 4, 9, 2, 7},
        {11, 4, 9, 2, 7, 12, 5, 10, 3, 8, 1, 6, 11, 4, 9},
        {2, 7, 12, 5, 10, 3, 8, 1, 6, 11, 4, 9, 2, 7, 12},
        {4, 9, 2, 7, 12, 5, 10, 3, 8, 1, 6, 11, 4, 9, 2},
    }};
    const int column = keySig <= 7 ? 8 - keySig : keySig + 1;
    const int row = static_cast<int>(mode) - 1;
    return kTable[row < 0 || row > 3 ? 0 : row][column >= 1 && column <= 15 ? column - 1 : 7];
}

void changeFlute(model::Score& score, FluteChoice& choice, int flute) {
    if (flute < 1 || flute > kFluteCount) return;
    choice.manual = true;
    setFlute(score, flute);
}

void setFueAuto(model::Score& score, FluteChoice& choice, AutoFlute mode) {
    choice.manual = false;
    choice.mode = mode;
    setFlute(score, autoFluteFor(mode, score.song.keySig));
}

}  // namespace shinofu::numeric
