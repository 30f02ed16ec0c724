#include "model/score_writer.h"

#include <charconv>

#include "model/key_signature.h"
#include "model/symbol_record.h"
#include "model/text_fields.h"

namespace shinofu::model {
namespace {

constexpr int kLengthScale = 8;          // lengths are stored in eighths of a unit
constexpr int kLyricRecordsPerLine = 48;  // records visited, not lyrics written

char roleLetter(uint8_t role) {
    switch (role) {
    case kRoleStart: return 's';
    case kRoleMiddle: return 'm';
    case kRoleEnd: return 'f';
    default: return 'w';
    }
}

std::string groupsToken(const TNote& note) {
    std::string token;
    const std::pair<char, uint8_t> groups[] = {
        {'s', note.slur}, {'t', note.tie}, {'r', note.beam}, {'3', note.triplet}, {'6', note.sextuplet}};
    for (auto [kind, role] : groups) {
        if (role == kNoRole) continue;
        token += kind;
        token += roleLetter(role);
    }
    if (token.empty()) return "n";
    if (note.curveStart != 0 || note.curveMid != 0 || note.curveEnd != 0) {
        token += "-" + std::to_string(note.curveStart) + "+" + std::to_string(note.curveMid) + "+" +
                 std::to_string(note.curveEnd);
    }
    return token;
}

std::string symbolKeyword(uint8_t kind) {
    switch (kind) {
    case kStop: return "$Sstop";
    case kDaCapo: return "$Sdacp";
    case kDalSegno: return "$Sdase";
    case kSegno: return "$Sseni";
    case kFine: return "$Sfine";
    case kRepeatRight: return "$Srprg";
    case kRepeatLeft: return "$Srplf";
    case kFirstEnding: return "$Sbrc1";
    case kSecondEnding: return "$Sbrc2";
    case kCoda: return "$Scoda";
    case kToCoda: return "$Stocoda";
    default: return {};
    }
}

std::string markKeywords(const TMark& mark) {
    static const char* const kDynamics[] = {"", "$Rppp", "$Rpp", "$Rp", "$Rmp", "$Rmf", "$Rf", "$Rff", "$Rfff"};
    static const char* const kHairpins[] = {"", "$Ccrst", "$Ccred", "$Cdcst", "$Cdced"};
    std::string out = mark.breath ? "$breath" : "";
    if (mark.dynamics <= 8) out += kDynamics[mark.dynamics];
    if (mark.hairpin <= 4) out += kHairpins[mark.hairpin];
    return out;
}

// The reader drops spaces after a header key's colon, so a value's leading spaces are written full-width.
std::string headerValue(std::string value) {
    size_t spaces = value.find_first_not_of(' ');
    if (spaces == std::string::npos) spaces = value.size();
    std::string wide;
    for (size_t i = 0; i < spaces; ++i) wide += "　";
    return wide + value.substr(spaces);
}

void writeHeader(const Score& score, std::vector<std::string>& lines) {
    const TSongData& song = score.song;
    lines.push_back("$V:3");
    lines.push_back(fontLine(score.fonts));
    lines.push_back("$NAME:" + headerValue(formatSymbolRecord(score.fixedSymbol(kTitleSymbol))) + ";" +
                    formatSymbolRecord(score.fixedSymbol(kLyricistSymbol)) + ";" +
                    formatSymbolRecord(score.fixedSymbol(kComposerSymbol)));
    lines.push_back("$TEMPO:" + headerValue(formatSymbolRecord(score.fixedSymbol(kTempoSymbol))) +
                    formatSymbolRecord(score.fixedSymbol(kMetronomeSymbol)) + std::string(score.meter().text));
    lines.push_back("$KEY:" + std::string(keyLetter(song.keySig)) + "," + std::to_string(song.fluteKey) + "," +
                    formatSymbolRecord(score.fixedSymbol(kFluteKeySymbol)));
    if (song.lineMeasures[0] != 0) {
        std::string measures = "$MEAS:";
        for (int i = 0; i < kLineTableSize && song.lineMeasures[i] != 0; ++i) {
            if (i > 0) measures += ",";
            measures += std::to_string(song.lineMeasures[i]);
        }
        lines.push_back(measures);
    }
    lines.push_back("$MeasNum:" + std::to_string(song.measPerLine));
    lines.push_back(numScoreLine(score.numeric));
    lines.push_back(nfontLine(score.numeric));
    lines.push_back(instrumentLine(score));
    lines.push_back(noteSizeLine(score));
    std::string clefs = "$FClef:";
    for (int number = 1; number <= score.partCount; ++number) {
        if (number > 1) clefs += ",";
        clefs += score.part(number).fClef ? "t" : "f";
    }
    lines.push_back(clefs);
    if (score.writePerfData) lines.push_back("$TempoVeloData");
    lines.push_back("$END");
}

void writeNotes(const Score& score, int number, std::vector<std::string>& lines) {
    int sum = 0;
    std::string line;
    forEachNote(score.part(number).partHead, [&](const TNote& note) {
        line += noteItem(note, score.writePerfData);
        sum += note.len;
        if (sum < score.measureLen()) {
            line += ",";
        } else {
            lines.push_back(std::move(line));
            line.clear();
            sum = 0;
        }
    });
    if (!line.empty()) {
        line.pop_back();
        lines.push_back(std::move(line));
    }
}

void writeLyrics(const Score& score, int number, std::vector<std::string>& lines) {
    std::string line;
    int items = 0;
    int records = 0;
    forEachNote(score.part(number).partHead, [&](const TNote& note) {
        if (note.pitch >= kLowestPitch && note.pitch < kHighestPitch) {
            if (items > 0) line += ",";
            // Which item starts a line is an accident of layout, so every lyric is made safe alike.
            line += fileSafeText(note.lyric, false);
            ++items;
        }
        // A line holding one empty lyric would be an empty line, which readers skip: keep it open.
        if (++records >= kLyricRecordsPerLine && !(line.empty() && items > 0)) {
            lines.push_back(std::move(line));
            line.clear();
            items = 0;
            records = 0;
        }
    });
    lines.push_back(std::move(line));
}

}  // namespace

std::string fontLine(const FontNames& fonts) {
    std::string line = "$FONT:";
    for (int i = 0; i < kFontCount && !fonts[i].empty(); ++i) {
        if (i > 0) line += ",";
        line += fileSafeText(fonts[i]);
    }
    return line;
}

std::string numScoreLine(const NumericSettings& n) {
    return "$NumScore:" + std::to_string(n.tiers) + "," + std::to_string(n.rows) + "," + std::to_string(n.columns) +
           "," + std::to_string(n.fontSizeChoice) + "," + std::to_string(n.fontColorChoice) + "," +
           std::to_string(n.ruleColorChoice) + "," + n.fontName;
}

std::string nfontLine(const NumericSettings& n) {
    return "$NFont:" + formatReal(n.numSizeRatio, 5, 2) + "," + formatReal(n.numDrop, 5, 2) +
           (n.numBold ? ",1" : ",0");
}

std::string instrumentLine(const Score& score) {
    std::string line = "$Instrument:";
    for (int number = 1; number <= score.partCount; ++number) {
        if (number > 1) line += ",";
        line += std::to_string(score.part(number).instrument);
    }
    return line;
}

std::string noteSizeLine(const Score& score) { return score.largeNoteHeads ? "$NOTEsize:1" : "$NOTEsize:0"; }

std::string noteItem(const TNote& note, bool withPerformanceData) {
    // Appended in place: a long part writes tens of thousands of these for every undo step.
    auto number = [](std::string& to, int64_t value) {
        char digits[24];
        to.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
    };
    std::string item;
    item.reserve(40);
    item += pitchName(note.pitch);
    item += ' ';
    item += accidentalToken(note.accidental);
    item += ' ';
    item += groupsToken(note);
    item += ' ';
    number(item, int64_t{note.len} * kLengthScale);
    item += note.stemUp ? " u" : " d";
    if (withPerformanceData) {
        item += " $T";
        number(item, note.playTime);
        item += " $V";
        number(item, note.velocity);
    }
    return item;
}

std::vector<std::string> scoreFileLines(const Score& score) {
    std::vector<std::string> lines;
    writeHeader(score, lines);
    for (int number = 1; number <= score.partCount; ++number) {
        if (number > 1) lines.push_back("$START");
        writeNotes(score, number, lines);
    }
    lines.push_back("$END");
    lines.push_back("$NEND");
    for (int number = 1; number <= score.partCount; ++number) {
        lines.push_back("$STARTM");
        const auto& symbols = score.part(number).symbols;
        for (size_t i = number == 1 ? fixedSymCount : 0; i < symbols.size(); ++i) {
            std::string keyword = symbolKeyword(symbols[i].kind);
            lines.push_back(formatSymbolRecord(symbols[i]) + (keyword.empty() ? fileSafeText(symbols[i].text) : keyword));
        }
        lines.push_back("$END");
    }
    for (int number = 1; number <= score.partCount; ++number) {
        lines.push_back("$STARTS");
        for (const TMark& mark : score.part(number).marks) lines.push_back(formatSymbolRecord(mark) + markKeywords(mark));
        lines.push_back("$END");
    }
    for (int number = 1; number <= score.partCount; ++number) {
        lines.push_back("$STARTL");
        writeLyrics(score, number, lines);
        lines.push_back("$END");
    }
    return lines;
}

}  // namespace shinofu::model
