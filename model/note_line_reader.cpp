#include "model/note_line_reader.h"

#include <algorithm>
#include <array>

#include "model/key_signature.h"
#include "model/text_fields.h"
#include "platform/text_codec.h"

namespace shinofu::model {
namespace {

constexpr int kLengthScale = 8;
// Longer notated lengths have no meaning; the cap keeps positions far from overflow.
constexpr int kMaxNoteLength = 48 * 100;
constexpr int kMaxVelocity = 127;

uint8_t roleFromLetter(char letter) {
    switch (letter) {
    case 's': return kRoleStart;
    case 'm': return kRoleMiddle;
    case 'f': return kRoleEnd;
    case 'w': return kRoleEndAndStart;
    default: return kNoRole;
    }
}

void readGroups(std::string_view token, TNote& note) {
    size_t dash = token.find('-');
    std::string_view codes = token.substr(0, dash);
    for (size_t i = 0; i < codes.size(); i += 2) {
        uint8_t role = i + 1 < codes.size() ? roleFromLetter(codes[i + 1]) : uint8_t{kNoRole};
        switch (codes[i]) {
        case 's': note.slur = role; break;
        case 't': note.tie = role; break;
        case 'r': note.beam = role; break;
        case '3': note.triplet = role; break;
        case '6': note.sextuplet = role; break;
        default: break;
        }
    }
    if (dash == std::string_view::npos) return;
    bool curveStarts = note.slur == kRoleStart || note.slur == kRoleEndAndStart || note.tie == kRoleStart ||
                       note.tie == kRoleEndAndStart;
    if (!curveStarts) return;
    std::string_view curves = token.substr(dash + 1);
    size_t plus = curves.find('+');
    note.curveStart = parseWholeNumber(curves.substr(0, plus)).value_or(0);
    if (plus == std::string_view::npos) return;
    std::string_view rest = curves.substr(plus + 1);
    size_t second = rest.find('+');
    if (second == std::string_view::npos) return;
    note.curveMid = parseWholeNumber(rest.substr(0, second)).value_or(0);
    note.curveEnd = parseWholeNumber(rest.substr(second + 1)).value_or(0);
}

struct DynamicsName {
    std::string_view name;
    std::string_view glyph;
};
constexpr std::array<DynamicsName, 8> kDynamics = {{
    {"ppp", "H"}, {"pp", "D"}, {"p", "F"}, {"mp", "E"}, {"mf", "B"}, {"f", "C"}, {"ff", "A"}, {"fff", "G"}}};

std::optional<uint8_t> hairpinFromName(std::string_view name) {
    constexpr std::array<std::string_view, 4> kHairpins = {"crst", "cred", "dcst", "dced"};
    for (size_t i = 0; i < kHairpins.size(); ++i) {
        if (kHairpins[i] == name) return static_cast<uint8_t>(i + 1);
    }
    return std::nullopt;
}

}  // namespace

std::optional<SignKeyword> signFromKeyword(std::string_view keyword) {
    static constexpr std::array<std::pair<std::string_view, SignKeyword>, 11> kSigns = {{
        {"stop", {kStop, " "}},
        {"dacp", {kDaCapo, "X"}},
        {"dase", {kDalSegno, "Y"}},
        {"seni", {kSegno, "Z"}},
        {"fine", {kFine, "]"}},
        {"rprg", {kRepeatRight, " "}},
        {"rplf", {kRepeatLeft, " "}},
        {"brc1", {kFirstEnding, "1."}},
        {"brc2", {kSecondEnding, "2."}},
        {"coda", {kCoda, "["}},
        {"tocoda", {kToCoda, "\\"}},
    }};
    for (const auto& [name, sign] : kSigns) {
        if (name == keyword) return sign;
    }
    return std::nullopt;
}

NoteLineReader::NoteLineReader(Score& score, bool formatFlag, LineScale scale)
    : score_(score), formatFlag_(formatFlag), scale_(scale), end_(score.part(1).partHead) {}

void NoteLineReader::readLine(std::string_view line) {
    if (!line.empty() && line.front() == '/') return;
    if (line == "$START") {
        if (part_ >= kMaxParts) {
            ++droppedParts_;
            end_ = nullptr;
            return;
        }
        ++part_;
        score_.newPartList(part_);
        score_.part(part_).symbols.clear();
        score_.part(part_).marks.clear();
        end_ = score_.part(part_).partHead;
        position_ = 0;
        return;
    }
    if (!line.empty() && line.front() == '$') return;
    if (!end_) return;  // notes of a part beyond the sixth
    splitFieldsInto(line, ',', items_);
    for (std::string_view item : items_) readItem(trimLeadingSpaces(item));
}

void NoteLineReader::readItem(std::string_view item) {
    splitFieldsInto(item, ' ', tokens_);
    const auto& tokens = tokens_;
    auto token = [&](size_t i) { return i < tokens.size() ? tokens[i] : std::string_view(); };

    TNote& note = *end_;  // the end marker becomes the note; a new end marker follows it
    note.pitch = pitchFromName(token(0)).value_or(kHiddenRest);
    note.stemUp = true;
    note.accidental = accidentalFromToken(token(1));
    if (isStaffPitch(note.pitch)) note.semitone = semitoneOfPitch(note.pitch, score_.song.keySig);
    readGroups(token(2), note);
    if (auto length = parseWholeNumber(token(3))) {
        note.len = std::clamp(formatFlag_ ? *length / kLengthScale : *length, 0, kMaxNoteLength);
    }
    const int noteStart = static_cast<int>(position_);
    position_ += note.len;
    note.playTime = playTimeFor(note.len, score_.song.msPerUnit);
    note.velocity = kDefaultVelocity;
    if (tokens.size() > 4) {
        if (token(4).find('u') != std::string_view::npos) note.stemUp = true;
        if (token(4).find('d') != std::string_view::npos) note.stemUp = false;
    }
    for (size_t i = 5; i < tokens.size(); ++i) readFurtherToken(tokens[i], note, noteStart);
    note.loadedPlayTime = note.playTime;
    note.loadedVelocity = note.velocity;

    TNote* next = score_.allocateNote();
    note.next = next;
    next->prev = &note;
    end_ = next;
}

void NoteLineReader::readFurtherToken(std::string_view token, TNote& note, int noteStart) {
    if (token.size() < 2 || token.front() != '$') return;
    const char kind = token[1];
    std::string_view rest = token.substr(2);
    if (kind == 'T') {
        if (auto ms = parseWholeNumber(rest); ms && *ms >= 0) note.playTime = *ms;
        return;
    }
    if (kind == 'V') {
        if (auto v = parseWholeNumber(rest); v && *v >= 1 && *v <= kMaxVelocity) note.velocity = *v;
        return;
    }
    if (formatFlag_) return;
    const int noteEnd = noteStart + note.len;
    if (token == "$brth") {
        TMark mark;
        mark.text = "W";
        mark.breath = true;
        mark.dx = -4;
        mark.dy = -10;
        mark.fontSize = 8;
        addMark(mark, noteEnd);
    } else if (kind == 'R') {
        for (size_t i = 0; i < kDynamics.size(); ++i) {
            if (kDynamics[i].name != rest) continue;
            TMark mark;
            mark.text = kDynamics[i].glyph;
            mark.dynamics = static_cast<uint8_t>(i + 1);
            double offsetInMeasure = noteStart % score_.measureLen();
            mark.dx = roundHalfAwayFromZero(offsetInMeasure / 3 * scale_.sixteenthWidth);
            mark.dy = -15;
            mark.fontSize = 12;
            addMark(mark, noteStart);
        }
    } else if (kind == 'C') {
        if (auto hairpin = hairpinFromName(rest)) {
            TMark mark;
            mark.hairpin = *hairpin;
            mark.dy = -5;
            mark.fontSize = 12;
            addMark(mark, noteStart);
        }
    } else if (kind == 'S') {
        addSymbol(rest, noteEnd);
    }
}

void NoteLineReader::addMark(TMark mark, int anchor) {
    mark.page = 1;
    mark.anchorPos = anchor;
    mark.width = 9;
    mark.height = 4;
    mark.fontIndex = 1;
    score_.part(part_).marks.push_back(std::move(mark));
}

void NoteLineReader::addSymbol(std::string_view keyword, int noteEnd) {
    auto sign = signFromKeyword(keyword);
    TScoreSym symbol;
    symbol.kind = sign ? sign->kind : uint8_t{kPlainText};
    // An unknown keyword is kept as the symbol's text, so the user sees what the file held.
    symbol.text = sign ? std::string(sign->text) : std::string(keyword);
    int size = 10;
    symbol.dy = 0;
    switch (symbol.kind) {
    case kStop:
    case kRepeatRight:
    case kRepeatLeft: symbol.dy = -10; size = 14; break;
    case kSegno:
    case kFine:
    case kFirstEnding:
    case kSecondEnding:
    case kCoda:
    case kToCoda: symbol.dy = -23; size = 14; break;
    default: break;
    }
    switch (symbol.kind) {
    case kSegno:
    case kRepeatLeft:
    case kCoda: symbol.dx = 0; break;
    case kFirstEnding:
    case kSecondEnding: symbol.dx = 3; break;
    default: symbol.dx = roundHalfAwayFromZero(scale_.measureWidth - 12); break;
    }
    symbol.fontSize = size;
    symbol.height = size;
    symbol.width = platform::TextCodec::sjisLength(symbol.text) * size;
    const bool textFont = symbol.kind == kStop || symbol.kind == kRepeatRight || symbol.kind == kRepeatLeft ||
                          symbol.kind == kFirstEnding || symbol.kind == kSecondEnding;
    symbol.fontIndex = textFont ? 0 : 1;
    const bool anchoredAtEnd = symbol.kind == kSegno || symbol.kind == kRepeatLeft || symbol.kind == kFirstEnding ||
                               symbol.kind == kSecondEnding || symbol.kind == kCoda;
    symbol.page = 1;
    symbol.anchorPos = anchoredAtEnd ? noteEnd : noteEnd - score_.measureLen();
    score_.part(part_).symbols.push_back(std::move(symbol));
}

}  // namespace shinofu::model
