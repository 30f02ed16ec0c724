// The Standard MIDI File: format 0, one track, 96 ticks per quarter note.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "midi/perf_list.h"
#include "model/score.h"

namespace shinofu::midi {

constexpr int kTicksPerQuarter = 96;
constexpr int kTicksPerUnit = 8;  // 12 length units to a quarter

struct SmfOptions {
    int tempo = 60;  // quarter notes per minute, as the speed box shows it
    // Parts whose note-ons are followed by a lyric event with the note's fingering numeral.
    std::array<bool, model::kMaxParts> lyricParts{};
};

// The whole file, as playback performs the score: repeats, endings, D.C. and D.S. unrolled.
std::string smfBytes(const model::Score& score, const PerfList& list, const SmfOptions& options);

// Appends a variable-length quantity: seven bits a byte, the most significant group first.
void appendVariableLength(std::string& out, uint32_t value);

// The fingering numeral a lyric event carries for a sounding key on the given flute.
std::string lyricNumeral(int midiNote, int fluteKey);

}  // namespace shinofu::midi
