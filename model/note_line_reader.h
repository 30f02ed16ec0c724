// Reads the note lines of a score file into the part lists, with the older formats' symbol tokens.
#pragma once

#include <optional>
#include <string_view>

#include "model/line_fit.h"
#include "model/score.h"

namespace shinofu::model {

class NoteLineReader {
public:
    // formatFlag: lengths are stored × 8 and symbol tokens inside items are ignored.
    NoteLineReader(Score& score, bool formatFlag, LineScale scale);

    void readLine(std::string_view line);
    // Parts named by "$START" lines beyond the sixth, whose notes were not read.
    int droppedParts() const { return droppedParts_; }
    int partsRead() const { return part_; }

private:
    void readItem(std::string_view item);
    void readFurtherToken(std::string_view token, TNote& note, int noteStart);
    void addMark(TMark mark, int anchor);
    void addSymbol(std::string_view keyword, int noteEnd);

    Score& score_;
    bool formatFlag_;
    LineScale scale_;
    int part_ = 1;
    int droppedParts_ = 0;
    int64_t position_ = 0;  // running sum of len in the current part
    TNote* end_;            // the current part's end marker
    std::vector<std::string_view> items_, tokens_;  // reused: a long part reads without allocating
};

// The sign kind of a "$S" keyword, and the text of the sign; nothing for an unknown keyword.
struct SignKeyword {
    uint8_t kind;
    std::string_view text;
};
std::optional<SignKeyword> signFromKeyword(std::string_view keyword);

}  // namespace shinofu::model
