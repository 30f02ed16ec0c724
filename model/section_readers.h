// Readers of the "$STARTM" (symbols), "$STARTS" (marks) and "$STARTL" (lyrics) sections.
#pragma once

#include <string_view>

#include "model/score.h"

namespace shinofu::model {

// Each reader starts at part 1; its section's start line moves it to the next part.
class SymbolSectionReader {
public:
    explicit SymbolSectionReader(Score& score) : score_(score) {}
    void readLine(std::string_view line);
    int droppedSections() const { return dropped_; }

private:
    Score& score_;
    int part_ = 1;
    int dropped_ = 0;
};

class MarkSectionReader {
public:
    explicit MarkSectionReader(Score& score) : score_(score) {}
    void readLine(std::string_view line);
    int droppedSections() const { return dropped_; }

private:
    Score& score_;
    int part_ = 1;
    int dropped_ = 0;
};

class LyricSectionReader {
public:
    explicit LyricSectionReader(Score& score) : score_(score), record_(score.part(1).partHead) {}
    void readLine(std::string_view line);
    int droppedSections() const { return dropped_; }

private:
    Score& score_;
    int part_ = 1;
    int dropped_ = 0;
    TNote* record_;  // where the next lyric item goes; null once past the sixth part
};

// Applies a mark's keyword tail ("$breath", "$Rmf", "$Ccrst", or several concatenated).
void applyMarkKeywords(std::string_view rest, TMark& mark);

}  // namespace shinofu::model
