// Song data and the score-wide settings every subsystem reads.
#pragma once

#include <array>
#include <string>

namespace shinofu::model {

constexpr int kLineTableSize = 256;
constexpr int kDefaultFluteKey = 8;
constexpr int kFluteKeyCount = 12;  // 一本 to 十二本

struct TSongData {
    std::string tempoText = "60";
    int tempo = 60;                  // quarter notes per minute
    double msPerUnit = 200.0 / 3.0;  // 60000 / (tempo × 12)
    int meterIndex = 0;
    int keySig = 0;
    int fluteKey = kDefaultFluteKey;
    int measPerLine = 4;
    std::array<int, kLineTableSize> lineMeasures{};  // measures on each line; 0 ends the list
};

// The numeric page's settings, as the "$NumScore" and "$NFont" lines carry them.
struct NumericSettings {
    int tiers = 12;
    int rows = 8;
    int columns = 2;
    int fontSizeChoice = 2;  // 0 = largest .. 4 = smallest
    int fontColorChoice = 0;
    int ruleColorChoice = 0;
    std::string fontName = "ＭＳ ゴシック";
    double numSizeRatio = 3.5;  // layout units
    double numDrop = 5.0;       // layout units
    bool numBold = false;

    bool operator==(const NumericSettings&) const = default;
};

constexpr int kFontCount = 4;
using FontNames = std::array<std::string, kFontCount>;
FontNames builtInFontNames();

}  // namespace shinofu::model
