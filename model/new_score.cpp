#include "model/new_score.h"

#include <string>

namespace shinofu::model {
namespace {

void moveTo(TScoreSym& symbol, SymbolPlace place) {
    symbol.dx = place.dx;
    symbol.dy = place.dy;
}

// A remembered place of a name, or its built-in one when the score settings never placed it.
SymbolPlace placeOf(const SymbolFields& remembered, SymbolPlace builtIn) {
    return remembered.dx != 0 || remembered.dy != 0 ? SymbolPlace{remembered.dx, remembered.dy} : builtIn;
}

}  // namespace

void newScore(Score& score, const ScoreDefaults& defaults) {
    score.clearParts();
    score.fixedSymbol(kTitleSymbol).text.clear();
    score.fixedSymbol(kLyricistSymbol).text.clear();
    score.fixedSymbol(kComposerSymbol).text.clear();
    // Each symbol in a place of its own: the names where the score settings put them, the tempo
    // and flute texts as the short header forms set them.
    moveTo(score.fixedSymbol(kTitleSymbol), placeOf(defaults.names.title, kTitlePlace));
    moveTo(score.fixedSymbol(kLyricistSymbol), placeOf(defaults.names.lyricist, kLyricistPlace));
    moveTo(score.fixedSymbol(kComposerSymbol), placeOf(defaults.names.composer, kComposerPlace));
    // The page shows "=60", so the score plays at 60 too.
    score.song.tempoText = "60";
    score.setTempo(60);
    placeTempoSymbols(score, false);
    setFluteKeyText(score, std::to_string(defaults.fluteKey), false);
    score.song.meterIndex = 0;
    score.song.keySig = 0;
    score.song.fluteKey = defaults.fluteKey;
    score.song.measPerLine = defaults.measPerLine;
    score.song.lineMeasures.fill(0);
    score.curPart = 1;
    score.partCount = 1;
    for (int number = 1; number <= kMaxParts; ++number) {
        score.part(number).displaySlot = number;
        score.part(number).visible = number == 1;
    }
    score.songDataSet = false;
    score.saved = true;
}

}  // namespace shinofu::model
