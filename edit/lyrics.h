// Lyric entry: the box's keys (Tab or space sets one lyric and moves on, Enter spreads a text one
// character a note, Insert and Delete move the lyrics after the current note) and clearing a part.
#pragma once

#include <string>

#include "model/score.h"

namespace shinofu::edit {

// Notes that carry lyrics: pitches 1..34, not rests, markers or the highest code.
bool bearsLyric(const model::TNote& note);

// The text becomes the target's lyric; returns the record after it (the next target), or the same
// record when the part ends there.
model::TNote* setLyricAndAdvance(model::Score& score, model::TNote& target, const std::string& text);
// One character of the text (a double-byte character counts as one) to each lyric-bearing note
// from `from` on.
void spreadLyric(model::Score& score, model::TNote& from, const std::string& text);
// Insert: every lyric from `from` on moves to the next lyric-bearing note, the last one's is
// dropped and `from` is left empty. Delete: the reverse, the last lyric-bearing note left empty.
void shiftLyricsLater(model::Score& score, model::TNote& from);
void shiftLyricsEarlier(model::Score& score, model::TNote& from);
// "歌詞全削除": every record of the part.
void clearLyrics(model::Score& score, int part);

}  // namespace shinofu::edit
