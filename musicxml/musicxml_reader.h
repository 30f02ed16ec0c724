// MusicXML (partwise) read into the score: up to six parts, each part's first voice, pitches as
// written, durations by divisions, rests, ties, slurs, beams, triplets, the first verse of lyrics,
// dynamics, hairpins, fermatas, breath marks, repeats, endings and jumps, the first key, time and
// tempo, title, composer, lyricist and MIDI programs. What cannot be shown is reported once; the
// score is replaced only when the whole document reads.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/score.h"

namespace shinofu::musicxml {

struct MusicXmlRead {
    bool read = false;
    std::string error;                 // why the document was refused
    std::vector<std::string> notices;  // what was left out, each said once
    std::optional<int> fluteKey;       // the flute a file written here names
};

// The identification field that carries the score's flute (1..12, 一本..十二本).
constexpr const char* kFluteField = "shinofu-flute";

MusicXmlRead importMusicXml(std::string_view document, model::Score& score);

}  // namespace shinofu::musicxml
