#include "model/song_data_places.h"

#include "model/text_fields.h"
#include "platform/text_codec.h"

namespace shinofu::model {
namespace {

void placeName(TScoreSym& symbol, const SymbolFields& remembered, int fontSize) {
    std::string text = symbol.text;
    static_cast<SymbolFields&>(symbol) = remembered;
    symbol.text = text;
    symbol.fontSize = fontSize;
    symbol.fontIndex = 0;
    symbol.width = nominalWidth(text, fontSize);
    symbol.height = fontSize;
}

}  // namespace

int nominalWidth(const std::string& text, int fontSize) { return platform::TextCodec::sjisLength(text) * fontSize / 2; }

NameLayout rememberNameLayout(const Score& score) {
    return {score.fixedSymbol(kTitleSymbol), score.fixedSymbol(kLyricistSymbol), score.fixedSymbol(kComposerSymbol)};
}

void placeNames(Score& score, const NameLayout& layout) {
    placeName(score.fixedSymbol(kTitleSymbol), layout.title, layout.title.fontSize);
    placeName(score.fixedSymbol(kLyricistSymbol), layout.lyricist, layout.lyricist.fontSize);
    // The composer has always taken the lyricist's size.
    placeName(score.fixedSymbol(kComposerSymbol), layout.composer, layout.lyricist.fontSize);
}

void placeTempoSymbols(Score& score, bool textsOnly) {
    TScoreSym& tempo = score.fixedSymbol(kTempoSymbol);
    TScoreSym& glyph = score.fixedSymbol(kMetronomeSymbol);
    const bool numeric = parseWholeNumber(score.song.tempoText).has_value();
    tempo.text = numeric ? "=" + score.song.tempoText : score.song.tempoText;
    glyph.text = std::string(numeric ? 1 : 0, 'M');
    if (textsOnly) return;
    tempo.dx = kTempoPlace.dx;
    tempo.dy = kTempoPlace.dy;
    tempo.fontSize = numeric ? 6 : 8;
    tempo.fontIndex = 0;
    tempo.width = nominalWidth(tempo.text, tempo.fontSize);
    tempo.height = tempo.fontSize;
    glyph.dx = kMetronomePlace.dx;
    glyph.dy = kMetronomePlace.dy;
    glyph.fontSize = 15;
    glyph.fontIndex = 1;
    glyph.width = glyph.fontSize / 2;
    glyph.height = glyph.fontSize;
}

void setFluteKeyText(Score& score, const std::string& number, bool textsOnly) {
    TScoreSym& symbol = score.fixedSymbol(kFluteKeySymbol);
    symbol.text = number + "本";
    if (textsOnly) return;
    symbol.dx = kFluteKeyPlace.dx;
    symbol.dy = kFluteKeyPlace.dy;
    symbol.width = 4;
    symbol.height = 8;
    symbol.fontSize = 8;
    symbol.fontIndex = 0;
}

}  // namespace shinofu::model
