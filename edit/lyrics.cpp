#include "edit/lyrics.h"

#include <vector>

#include "edit/selection.h"

namespace shinofu::edit {
namespace {

constexpr uint8_t kHighestLyricPitch = 34;

// The lyric-bearing notes from `from` to the part's end.
std::vector<model::TNote*> lyricNotes(model::TNote& from) {
    std::vector<model::TNote*> notes;
    for (model::TNote* note = &from; note && !note->isEndMarker(); note = note->next) {
        if (bearsLyric(*note)) notes.push_back(note);
    }
    return notes;
}

// The characters of a UTF-8 text, each with its continuation bytes.
std::vector<std::string> charactersOf(const std::string& text) {
    std::vector<std::string> characters;
    for (char byte : text) {
        const bool continuation = (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
        if (continuation && !characters.empty()) {
            characters.back() += byte;
        } else {
            characters.emplace_back(1, byte);
        }
    }
    return characters;
}

}  // namespace

bool bearsLyric(const model::TNote& note) { return note.pitch >= 1 && note.pitch <= kHighestLyricPitch; }

model::TNote* setLyricAndAdvance(model::Score& score, model::TNote& target, const std::string& text) {
    target.lyric = text;
    markChanged(score);
    return target.next && !target.next->isEndMarker() ? target.next : &target;
}

void spreadLyric(model::Score& score, model::TNote& from, const std::string& text) {
    const std::vector<std::string> characters = charactersOf(text);
    const std::vector<model::TNote*> notes = lyricNotes(from);
    for (size_t i = 0; i < characters.size() && i < notes.size(); ++i) notes[i]->lyric = characters[i];
    markChanged(score);
}

void shiftLyricsLater(model::Score& score, model::TNote& from) {
    const std::vector<model::TNote*> notes = lyricNotes(from);
    for (size_t i = notes.size(); i-- > 1;) notes[i]->lyric = notes[i - 1]->lyric;
    from.lyric.clear();
    markChanged(score);
}

void shiftLyricsEarlier(model::Score& score, model::TNote& from) {
    std::vector<model::TNote*> notes = lyricNotes(from);
    if (!bearsLyric(from)) notes.insert(notes.begin(), &from);
    for (size_t i = 0; i + 1 < notes.size(); ++i) notes[i]->lyric = notes[i + 1]->lyric;
    if (!notes.empty()) notes.back()->lyric.clear();
    markChanged(score);
}

void clearLyrics(model::Score& score, int part) {
    for (model::TNote* note = score.part(part).partHead; note; note = note->next) note->lyric.clear();
    markChanged(score);
}

}  // namespace shinofu::edit
