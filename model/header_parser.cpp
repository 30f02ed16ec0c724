#include "model/header_parser.h"

#include <algorithm>
#include <string>

#include "model/key_signature.h"
#include "model/song_data_places.h"
#include "model/symbol_record.h"
#include "model/tempo_words.h"
#include "model/text_fields.h"

#include "platform/text_codec.h"

namespace shinofu::model {
namespace {

constexpr double kCurrentFormatThreshold = 2.75;
constexpr int kMaxProgram = 127;
constexpr int kMaxLineMeasures = 99;
constexpr int kMaxTiers = 20;    // the numeric settings dialog offers 1..20 strips,
constexpr int kMaxRows = 16;     // 4..16 cells down a strip
constexpr int kMaxColumns = 4;   // and 1..4 blocks

void setMeterText(Score& score, std::string_view text) {
    if (auto index = meterIndexFromText(trimSpaces(text))) score.song.meterIndex = *index;
}

void setNameTexts(Score& score, std::string_view title, std::string_view lyricist, std::string_view composer) {
    score.fixedSymbol(kTitleSymbol).text = title;
    score.fixedSymbol(kLyricistSymbol).text = lyricist;
    score.fixedSymbol(kComposerSymbol).text = composer;
}

void parseName(std::string_view value, Score& score, const HeaderContext& context) {
    if (context.formatFlag && !context.fromEditor) {
        auto records = splitFields(value, ';');
        for (int i = 0; i < 3 && i < static_cast<int>(records.size()); ++i) {
            auto fields = splitFields(records[i], ',');
            static_cast<SymbolFields&>(score.fixedSymbol(static_cast<FixedSymbol>(i))) = symbolFromFields(fields, 0);
        }
        return;
    }
    size_t first = value.find(',');
    if (first == std::string_view::npos) return;
    size_t second = value.find(',', first + 1);
    std::string_view lyricist =
        second == std::string_view::npos ? value.substr(first + 1) : value.substr(first + 1, second - first - 1);
    std::string_view composer = second == std::string_view::npos ? std::string_view() : value.substr(second + 1);
    setNameTexts(score, value.substr(0, first), lyricist, composer);
    if (context.fromEditor) return;
    placeNames(score, context.names);
}

void parseTempo(std::string_view value, Score& score, const HeaderContext& context) {
    if (context.formatFlag && !context.fromEditor) {
        auto fields = splitFields(value, ',');
        static_cast<SymbolFields&>(score.fixedSymbol(kTempoSymbol)) = symbolFromFields(fields, 0);
        static_cast<SymbolFields&>(score.fixedSymbol(kMetronomeSymbol)) =
            symbolFromFields(fields, kSymbolRecordFields);
        std::string_view text = score.fixedSymbol(kTempoSymbol).text;
        if (!text.empty() && text.front() == '=') text.remove_prefix(1);
        score.song.tempoText = std::string(text);
        if (fields.size() > 2 * kSymbolRecordFields) setMeterText(score, fields[2 * kSymbolRecordFields]);
        return;
    }
    size_t comma = value.find(',');
    score.song.tempoText = std::string(value.substr(0, comma));
    if (comma != std::string_view::npos) setMeterText(score, value.substr(comma + 1));
    placeTempoSymbols(score, context.fromEditor);
}

// A flute number from a file: out of range it takes the nearest flute, unreadable the default.
int fluteKeyFrom(std::optional<int> number, int defaultKey) {
    return number ? std::clamp(*number, 1, kFluteKeyCount) : defaultKey;
}

void parseKey(std::string_view value, Score& score, const HeaderContext& context) {
    size_t comma = value.find(',');
    if (auto key = keyFromLetter(trimSpaces(value.substr(0, comma)))) score.song.keySig = *key;
    std::string_view rest = comma == std::string_view::npos ? std::string_view() : value.substr(comma + 1);
    if (context.formatFlag && !context.fromEditor) {
        auto fields = splitFields(rest, ',');
        auto flute = parseWholeNumber(fields[0]);
        score.song.fluteKey = fluteKeyFrom(flute, context.defaultFluteKey);
        if (fields.size() > 1) {
            static_cast<SymbolFields&>(score.fixedSymbol(kFluteKeySymbol)) = symbolFromFields(fields, 1);
        }
        // The text shows the flute whose numerals the page shows.
        if (flute != score.song.fluteKey) setFluteKeyText(score, std::to_string(score.song.fluteKey), true);
        return;
    }
    score.song.fluteKey = fluteKeyFrom(parseWholeNumber(rest), context.defaultFluteKey);
    setFluteKeyText(score, std::to_string(score.song.fluteKey), context.fromEditor);
}

void parseFonts(std::string_view value, Score& score) {
    auto names = splitFields(value, ',');
    for (int i = 0; i < kFontCount && i < static_cast<int>(names.size()); ++i) score.fonts[i] = names[i];
}

void parseMeasures(std::string_view value, Score& score, HeaderContext& context) {
    for (std::string_view field : splitFields(value, ',')) {
        auto count = parseWholeNumber(field);
        if (!count || *count < 0 || *count > kMaxLineMeasures) continue;
        if (context.lineTableCount >= kLineTableSize) return;
        score.song.lineMeasures[context.lineTableCount++] = *count;
    }
}

// A count within what the settings dialogs offer; anything else takes the default, so that no
// file can ask for billions of measures or strips to be drawn.
int countOr(std::string_view field, int fallback, int highest) {
    auto value = parseWholeNumber(field);
    return value && *value >= 1 && *value <= highest ? *value : fallback;
}

int choiceOr(std::string_view field, int fallback, int highest) {
    auto value = parseWholeNumber(field);
    return value && *value >= 0 && *value <= highest ? *value : fallback;
}

}  // namespace

void parseNumericSettings(std::string_view value, NumericSettings& n) {
    constexpr int kSmallestSizeChoice = 4;
    constexpr int kHighestColorChoice = 15;
    auto fields = splitFields(value, ',');
    auto field = [&](size_t i) { return i < fields.size() ? fields[i] : std::string_view(); };
    NumericSettings defaults;
    n.tiers = countOr(field(0), defaults.tiers, kMaxTiers);
    n.rows = countOr(field(1), defaults.rows, kMaxRows);
    n.columns = countOr(field(2), defaults.columns, kMaxColumns);
    n.fontSizeChoice = choiceOr(field(3), defaults.fontSizeChoice, kSmallestSizeChoice);
    n.fontColorChoice = choiceOr(field(4), defaults.fontColorChoice, kHighestColorChoice);
    n.ruleColorChoice = choiceOr(field(5), defaults.ruleColorChoice, kHighestColorChoice);
    // The font name is the rest of the line, commas and all.
    size_t restStart = 0;
    for (int i = 0; i < 6 && restStart != std::string_view::npos; ++i) {
        restStart = value.find(',', restStart);
        if (restStart != std::string_view::npos) ++restStart;
    }
    if (restStart != std::string_view::npos) n.fontName = std::string(value.substr(restStart));
}

namespace {

// Overlay sizes in layout units; far beyond a staff they only make fonts no screen can draw.
double layoutUnitsOr(std::string_view field, double fallback) {
    constexpr double kMaxLayoutUnits = 100.0;
    auto value = parseReal(field);
    return value && *value >= 0 && *value <= kMaxLayoutUnits ? *value : fallback;
}

void parseNFont(std::string_view value, Score& score) {
    auto fields = splitFields(value, ',');
    NumericSettings& n = score.numeric;
    n.numSizeRatio = layoutUnitsOr(fields[0], 3.5);
    if (fields.size() < 2) {
        n.numDrop = 5.0;
        return;
    }
    n.numDrop = layoutUnitsOr(fields[1], 5.0);
    std::string rest;
    for (size_t i = 2; i < fields.size(); ++i) rest += (i > 2 ? "," : "") + std::string(fields[i]);
    n.numBold = trimSpaces(rest) == "1";
}

void parseInstruments(std::string_view value, Score& score) {
    int number = 1;
    for (std::string_view field : splitFields(value, ',')) {
        if (number > kMaxParts) return;
        // A field that is no program keeps its part's default, so the next values stay on their parts.
        auto program = parseWholeNumber(field);
        if (program && *program >= 0 && *program <= kMaxProgram) score.part(number).instrument = *program;
        ++number;
    }
}

void parseClefs(std::string_view value, Score& score) {
    int number = 1;
    for (std::string_view field : splitFields(value, ',')) {
        if (number > kMaxParts) return;
        if (trimSpaces(field) == "t") score.part(number).fClef = true;
        ++number;
    }
}

}  // namespace

HeaderLine parseHeaderLine(std::string_view line, Score& score, HeaderContext& context) {
    if (line == "$END") return HeaderLine::End;
    size_t colon = line.find(':');
    std::string_view key = line.substr(0, colon);
    std::string_view value = colon == std::string_view::npos ? std::string_view() : trimLeadingSpaces(line.substr(colon + 1));
    if (key == "$V") {
        if (auto version = parseReal(value); version && *version > kCurrentFormatThreshold) context.formatFlag = true;
    } else if (key == "$FONT") {
        parseFonts(value, score);
    } else if (key == "$NAME") {
        parseName(value, score, context);
    } else if (key == "$TEMPO") {
        parseTempo(value, score, context);
    } else if (key == "$KEY") {
        parseKey(value, score, context);
    } else if (key == "$MEAS") {
        parseMeasures(value, score, context);
    } else if (key == "$MeasNum") {
        score.song.measPerLine = countOr(value, 4, kMaxLineMeasures);
    } else if (key == "$NumScore") {
        if (context.numericApplies) parseNumericSettings(value, score.numeric);
    } else if (key == "$NFont") {
        parseNFont(value, score);
    } else if (key == "$Instrument") {
        parseInstruments(value, score);
    } else if (key == "$NOTEsize") {
        score.largeNoteHeads = value == "1";
    } else if (key == "$FClef") {
        parseClefs(value, score);
    } else if (key == "$TempoVeloData") {
        score.writePerfData = true;
    } else if (key == "$Chorus") {
        score.chorusCount = std::clamp(parseWholeNumber(value).value_or(0), 0, 2);
    }
    return HeaderLine::Continue;
}

void applyTempoText(Score& score) {
    if (auto number = parseWholeNumber(score.song.tempoText)) {
        // A tempo of 0 says no tempo: the tempo words' default, which the MIDI file writes for it too.
        score.setTempo(*number > 0 ? *number : kUnknownTempoWord);
        if (score.song.tempo != *number) {
            // The page shows the tempo that plays.
            TScoreSym& symbol = score.fixedSymbol(kTempoSymbol);
            if (symbol.text == "=" + score.song.tempoText) symbol.text = "=" + std::to_string(score.song.tempo);
            score.song.tempoText = std::to_string(score.song.tempo);
        }
    } else {
        score.setTempo(tempoOfWord(score.song.tempoText));
    }
}

}  // namespace shinofu::model
