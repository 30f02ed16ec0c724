// A MusicXML document as read, before it becomes a score: each part's first voice as notes in
// length units, with the marks that stand before or on each note and the signs of each measure.
#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "model/pitch.h"
#include "model/score_symbol.h"

namespace shinofu::musicxml {

// Directions met before a note, placed at its start.
struct DirectionMarks {
    int dynamics = 0;  // 1 ppp .. 8 fff
    model::HairpinRole hairpin = model::kNoHairpin;
    bool rit = false;
    bool aTempo = false;
    std::string words;
    int offset = 0;  // units from the note's start where they stand
};

struct ReadNote {
    uint8_t pitch = model::kRest;
    uint8_t accidental = model::kNoAccidental;
    int len = 0;
    std::optional<bool> stemUp;
    bool tieStart = false;
    bool tieStop = false;
    bool slurStart = false;
    bool slurStop = false;
    std::optional<uint8_t> beam;  // the first beam's role as written
    bool fermata = false;
    bool breathAfter = false;
    std::string lyric;
    DirectionMarks directions;
};

struct ReadMeasure {
    size_t firstNote = 0;  // index of its first note in the part
    std::vector<model::SymbolKind> signs;
};

struct ReadPart {
    std::string id;
    std::optional<int> program;
    bool fClef = false;
    bool beamsWritten = false;
    std::vector<ReadNote> notes;
    std::vector<ReadMeasure> measures;
};

struct ReadScore {
    std::vector<ReadPart> parts;
    std::string title;
    std::string composer;
    std::string lyricist;
    std::optional<int> fifths;
    std::optional<std::pair<int, int>> time;
    std::optional<int> tempo;
    std::optional<int> fluteKey;
    std::set<std::string> notices;
};

}  // namespace shinofu::musicxml
