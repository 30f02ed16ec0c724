#include "model/score.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>

#include "model/new_score.h"

namespace shinofu::model {

FontNames builtInFontNames() { return {"ＭＳ ゴシック", "ShinofuMusic", "HG行書体", "ＭＳ Ｐ明朝"}; }

Score::Score() {
    parts_[0].symbols.resize(fixedSymCount);
    for (int number = 1; number <= kMaxParts; ++number) {
        part(number).instrument = kDefaultInstruments[number - 1];
    }
    newScore(*this);
}

void Score::newPartList(int number) { part(number).partHead = allocateNote(); }

TNote* Score::appendNote(int number) {
    TNote* end = part(number).partHead;
    while (!end->isEndMarker()) end = end->next;
    TNote* note = allocateNote();
    note->prev = end->prev;
    note->next = end;
    if (end->prev) {
        end->prev->next = note;
    } else {
        part(number).partHead = note;
    }
    end->prev = note;
    return note;
}

void Score::clearParts() {
    pool_.reset();
    ++generation_;
    for (int number = 1; number <= kMaxParts; ++number) {
        Part& p = part(number);
        p.symbols.resize(number == 1 ? fixedSymCount : 0);
        p.marks.clear();
        p.totalLength = 0;
        newPartList(number);
    }
    scoreLength_ = 0;
}

void Score::recomputePositions() {
    scoreLength_ = 0;
    for (Part& p : parts_) {
        // Positions saturate instead of overflowing on absurd inputs.
        int64_t position = 0;
        int64_t total = 0;
        forEachNote(p.partHead, [&](TNote& note) {
            constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
            note.startPos = static_cast<int32_t>(std::min(position, kMax));
            position += note.len;
            note.endPos = static_cast<int32_t>(std::min(position, kMax));
            if (note.pitch < kFirstMarkerCode) total += note.len;
        });
        p.totalLength = static_cast<int>(std::min<int64_t>(total, std::numeric_limits<int32_t>::max()));
        scoreLength_ = std::max(scoreLength_, p.totalLength);
    }
}

void Score::setTempo(int tempo) {
    song.tempo = std::clamp(tempo, kMinTempo, kMaxTempo);
    song.msPerUnit = 60000.0 / (song.tempo * kLengthUnitsPerQuarter);
}

void Score::applyChorusStems() {
    for (int pair = 0; pair < chorusCount && pair < 2; ++pair) {
        forEachNote(part(2 * pair + 1).partHead, [](TNote& note) { note.stemUp = true; });
        forEachNote(part(2 * pair + 2).partHead, [](TNote& note) { note.stemUp = false; });
    }
}

TNote* walkToEndOfCurrentPart(Score& score) {
    TNote* note = score.part(score.curPart).partHead;
    while (!note->isEndMarker()) {
        note->selected = false;
        note->next->prev = note;
        note = note->next;
    }
    return note;
}

}  // namespace shinofu::model
