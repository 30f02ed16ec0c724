// The score in memory: six part lists of note records with their symbols and marks, and the song data.
#pragma once

#include <array>
#include <vector>

#include "model/meter.h"
#include "model/note_pool.h"
#include "model/score_symbol.h"
#include "model/song_data.h"
#include "model/tnote.h"

namespace shinofu::model {

// Quarter notes per minute. Below 4 a quarter lasts longer than a MIDI file's tempo event can say.
constexpr int kMinTempo = 4;
constexpr int kMaxTempo = 999;

constexpr int kMaxParts = 6;

struct Part {
    TNote* partHead = nullptr;
    std::vector<TScoreSym> symbols;
    std::vector<TMark> marks;
    bool fClef = false;
    int instrument = 0;  // General MIDI program, 0-based
    bool visible = true;
    int displaySlot = 0;
    int totalLength = 0;  // sum of note and rest lengths, from the last recomputePositions
};

class Score {
public:
    Score();
    Score(const Score&) = delete;
    Score& operator=(const Score&) = delete;

    // Parts are numbered 1..6, as everywhere in the user's terms.
    Part& part(int number) { return parts_[number - 1]; }
    const Part& part(int number) const { return parts_[number - 1]; }
    TScoreSym& fixedSymbol(FixedSymbol which) { return parts_[0].symbols[which]; }
    const TScoreSym& fixedSymbol(FixedSymbol which) const { return parts_[0].symbols[which]; }
    // The names are the texts of their fixed symbols.
    const std::string& title() const { return fixedSymbol(kTitleSymbol).text; }
    const std::string& lyricist() const { return fixedSymbol(kLyricistSymbol).text; }
    const std::string& composer() const { return fixedSymbol(kComposerSymbol).text; }

    TNote* allocateNote() { return pool_.allocate(song.msPerUnit); }
    // Gives the part a fresh list holding only an end marker.
    void newPartList(int number);
    // Links a new record before the part's end marker and returns it.
    TNote* appendNote(int number);
    // Drops every record and list (part 1 keeps its six fixed symbols) and gives each part an empty list.
    void clearParts();
    // Sets startPos and endPos by running sum of len, and each part's and the score's total length.
    void recomputePositions();
    int scoreLength() const { return scoreLength_; }
    // Bumped each time every record is released: a pointer taken at another generation is stale.
    uint64_t generation() const { return generation_; }

    const Meter& meter() const { return meterAt(song.meterIndex); }
    int measureLen() const { return meter().measureLen; }
    // Sets the tempo, kept within kMinTempo..kMaxTempo, and msPerUnit from it.
    void setTempo(int tempo);
    // The stems of each chorus pair: the odd part up, the even part down.
    void applyChorusStems();

    TSongData song;
    FontNames fonts = builtInFontNames();
    NumericSettings numeric;
    int partCount = 1;
    int curPart = 1;
    int chorusCount = 0;
    bool writePerfData = false;
    bool largeNoteHeads = true;
    bool saved = true;
    // Bumped by every edit: whatever was built from the score at another revision (the performance list) is stale.
    uint64_t revision = 0;
    bool songDataSet = false;  // song data came from a file or the song-data editor

private:
    NotePool pool_;
    std::array<Part, kMaxParts> parts_;
    int scoreLength_ = 0;
    uint64_t generation_ = 0;
};

constexpr std::array<int, kMaxParts> kDefaultInstruments = {73, 116, 117, 117, 0, 0};

// Visits every record of a part before its end marker.
template <typename Visit>
void forEachNote(TNote* head, Visit&& visit) {
    for (TNote* note = head; note && !note->isEndMarker(); note = note->next) visit(*note);
}
template <typename Visit>
void forEachNote(const TNote* head, Visit&& visit) {
    for (const TNote* note = head; note && !note->isEndMarker(); note = note->next) visit(*note);
}

// Walks the current part to its end marker, clearing selections and mending prev links on the way.
TNote* walkToEndOfCurrentPart(Score& score);

}  // namespace shinofu::model
