#include "model/score.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>

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
    song.tempo = std::max(1, tempo);
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

void newScore(Score& score, const ScoreDefaults& defaults) {
    score.clearParts();
    score.fixedSymbol(kTitleSymbol).text.clear();
    score.fixedSymbol(kLyricistSymbol).text.clear();
    score.fixedSymbol(kComposerSymbol).text.clear();
    score.fixedSymbol(kTempoSymbol).text = "=60";
    TScoreSym& metronome = score.fixedSymbol(kMetronomeSymbol);
    metronome.text = "M";
    metronome.fontSize = 15;
    metronome.fontIndex = 1;
    score.fixedSymbol(kFluteKeySymbol).text = std::to_string(defaults.fluteKey) + "本";
    // The page shows "=60", so the score plays at 60 too.
    score.song.tempoText = "60";
    score.setTempo(60);
    score.song.meterIndex = 0;
    score.song.keySig = 0;
    score.song.fluteKey = defaults.fluteKey;
    score.song.measPerLine = defaults.measPerLine;
    score.song.lineMeasures.fill(0);
    score.curPart = 1;
    score.partCount = 1;
    for (int number = 1; number <= kMaxParts; ++number) {
        score.part(number).displaySlot = number;
        score.part(number).visible = number == 1;
    }
    score.songDataSet = false;
    score.saved = true;
}

}  // namespace shinofu::model
