#include "model/section_readers.h"

#include <array>

#include "model/note_line_reader.h"
#include "model/symbol_record.h"
#include "model/text_fields.h"

namespace shinofu::model {
namespace {

bool isComment(std::string_view line) { return !line.empty() && line.front() == '/'; }
bool isKeywordLine(std::string_view line) { return !line.empty() && line.front() == '$'; }

// Advances to the next part on a section start line; past the sixth part the section is dropped.
bool nextPart(int& part, int& dropped) {
    if (part > kMaxParts) {
        ++dropped;
        return false;
    }
    ++part;
    if (part > kMaxParts) ++dropped;
    return part <= kMaxParts;
}

}  // namespace

void applyMarkKeywords(std::string_view rest, TMark& mark) {
    static constexpr std::array<std::string_view, 4> kHairpins = {"crst", "cred", "dcst", "dced"};
    auto words = splitFields(rest, '$');
    for (size_t w = 1; w < words.size(); ++w) {
        std::string_view word = words[w];
        if (word == "breath" || word == "brth") {
            mark.breath = true;
        } else if (!word.empty() && word.front() == 'R') {
            for (size_t i = 0; i < kDynamicsNames.size(); ++i) {
                if (word.substr(1) == kDynamicsNames[i]) mark.dynamics = static_cast<uint8_t>(i + 1);
            }
        } else if (!word.empty() && word.front() == 'C') {
            for (size_t i = 0; i < kHairpins.size(); ++i) {
                if (word.substr(1) == kHairpins[i]) mark.hairpin = static_cast<uint8_t>(i + 1);
            }
        }
    }
}

void SymbolSectionReader::readLine(std::string_view line) {
    if (isComment(line)) return;
    if (line == "$STARTM") {
        nextPart(part_, dropped_);
        return;
    }
    if (isKeywordLine(line) || part_ > kMaxParts) return;
    auto record = parseSymbolRecord(line);
    if (!record) return;
    TScoreSym symbol;
    static_cast<SymbolFields&>(symbol) = record->fields;
    if (record->rest.substr(0, 2) == "$S") {
        if (auto sign = signFromKeyword(record->rest.substr(2))) symbol.kind = sign->kind;
    }
    score_.part(part_).symbols.push_back(std::move(symbol));
}

void MarkSectionReader::readLine(std::string_view line) {
    if (isComment(line)) return;
    if (line == "$STARTS") {
        nextPart(part_, dropped_);
        return;
    }
    if (isKeywordLine(line) || part_ > kMaxParts) return;
    auto record = parseSymbolRecord(line);
    if (!record) return;
    TMark mark;
    static_cast<SymbolFields&>(mark) = record->fields;
    applyMarkKeywords(record->rest, mark);
    score_.part(part_).marks.push_back(std::move(mark));
}

void LyricSectionReader::readLine(std::string_view line) {
    if (isComment(line) || line.empty()) return;
    if (line == "$STARTL") {
        record_ = nextPart(part_, dropped_) ? score_.part(part_).partHead : nullptr;
        return;
    }
    if (isKeywordLine(line)) return;
    auto bearsLyric = [](const TNote* note) { return note->pitch >= kLowestPitch && note->pitch < kHighestPitch; };
    for (std::string_view item : splitFields(line, ',')) {
        while (record_ && !record_->isEndMarker() && !bearsLyric(record_)) record_ = record_->next;
        if (!record_ || record_->isEndMarker()) return;  // items beyond the last lyric-bearing note
        record_->lyric = std::string(item);
        record_ = record_->next;
    }
}

}  // namespace shinofu::model
