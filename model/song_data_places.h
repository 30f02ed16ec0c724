// Where the six song-data symbols stand when only their texts are known: the short header forms of
// older files, the song-data editor and a new score.
#pragma once

#include <string>

#include "model/score.h"

namespace shinofu::model {

// Offsets (layout units from the page's top-left) of a song-data symbol.
struct SymbolPlace {
    int dx;
    int dy;
};
constexpr SymbolPlace kTempoPlace{36, 39};
constexpr SymbolPlace kMetronomePlace{31, 33};
constexpr SymbolPlace kFluteKeyPlace{14, 37};
// Where names go that the score settings never placed: the title over the middle of the first
// staff, lyricist and composer at the right.
constexpr SymbolPlace kTitlePlace{211, 6};
constexpr SymbolPlace kLyricistPlace{440, 18};
constexpr SymbolPlace kComposerPlace{440, 26};

// Positions and sizes of the title, lyricist and composer symbols, remembered from the
// score-settings file; the short "$NAME" form of older files places the symbols with them.
struct NameLayout {
    SymbolFields title;
    SymbolFields lyricist;
    SymbolFields composer;
};
NameLayout rememberNameLayout(const Score& score);

// Places the three names by the layout.
void placeNames(Score& score, const NameLayout& layout);
// The tempo text and metronome glyph follow from the tempo text; unless textsOnly, they also take
// their places.
void placeTempoSymbols(Score& score, bool textsOnly);
void setFluteKeyText(Score& score, const std::string& number, bool textsOnly);

int nominalWidth(const std::string& text, int fontSize);

}  // namespace shinofu::model
