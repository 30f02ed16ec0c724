// Texts and signs placed on the page (TScoreSym) and performance marks tied to notes (TMark).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace shinofu::model {

// The fields a score symbol and a performance mark share, in file order.
struct SymbolFields {
    std::string text;
    int32_t page = 1;
    int32_t anchorPos = -1;  // units from the part's start, or -1: placed by page and offsets only
    int32_t measOffset = 0;
    int32_t dx = 0;
    int32_t dy = 0;
    int32_t width = 6;
    int32_t height = 10;
    int32_t fontSize = 10;
    int32_t fontIndex = 0;
    bool bold = false;
    bool italic = false;
};

// Sign kinds; the names are the score file's "$S" keywords.
enum SymbolKind : uint8_t {
    kPlainText = 0,
    kStop = 1,
    kDaCapo = 2,
    kDalSegno = 3,
    kSegno = 4,
    kFine = 5,
    kRepeatRight = 6,
    kRepeatLeft = 7,
    kFirstEnding = 8,
    kSecondEnding = 9,
    kCoda = 11,
    kToCoda = 12,
};

struct TScoreSym : SymbolFields {
    uint8_t kind = kPlainText;
};

struct TMark : SymbolFields {
    bool breath = false;
    bool fermata = false;
    bool rit = false;
    bool aTempo = false;
    bool other = false;
    uint8_t dynamics = 0;  // 0 none, 1 ppp .. 8 fff
    uint8_t hairpin = 0;   // HairpinRole
};

// Where a new dynamics mark stands: dy in layout units from the staff base (above the staff).
constexpr int kDynamicsDefaultDy = -15;

// The names of the dynamics marks, ppp (1) .. fff (8).
constexpr std::array<std::string_view, 8> kDynamicsNames = {"ppp", "pp", "p", "mp", "mf", "f", "ff", "fff"};

enum HairpinRole : uint8_t {
    kNoHairpin = 0,
    kCrescendoStart = 1,
    kCrescendoEnd = 2,
    kDecrescendoStart = 3,
    kDecrescendoEnd = 4,
};

// Part 1's first symbols are the song data's, always present, in this order.
enum FixedSymbol : int {
    kTitleSymbol = 0,
    kLyricistSymbol = 1,
    kComposerSymbol = 2,
    kTempoSymbol = 3,
    kMetronomeSymbol = 4,
    kFluteKeySymbol = 5,
};
constexpr int fixedSymCount = 6;

}  // namespace shinofu::model
