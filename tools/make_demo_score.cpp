// Writes the bundled demo score, さくらさくら, with the program's own score writer.
#include <cmath>
#include <iostream>

#include "model/header_parser.h"
#include "model/key_signature.h"
#include "model/line_fit.h"
#include "model/pitch.h"
#include "model/score.h"
#include "model/score_file.h"
#include "platform/text_codec.h"

namespace {

using namespace shinofu::model;

struct DemoNote {
    const char* pitch;
    int len;
    const char* lyric;
    uint8_t beam;
};

constexpr int q = 12, e = 6, h = 24, w = 48;

// The melody in D, written with one flat, so that 八本 plays it from 三 to ４.
const DemoNote kMelody[] = {
    {"d2", q, "さ", 0}, {"d2", q, "く", 0}, {"e2", h, "ら", 0},
    {"d2", q, "さ", 0}, {"d2", q, "く", 0}, {"e2", h, "ら", 0},
    {"d2", q, "や", 0}, {"e2", q, "よ", 0}, {"f2", q, "い", 0}, {"e2", q, "の", 0},
    {"d2", q, "そ", 0}, {"e2", e, "ら", 1}, {"d2", e, "", 3}, {"b1", h, "は", 0},
    {"a1", q, "み", 0}, {"f1", q, "わ", 0}, {"a1", q, "た", 0}, {"b1", q, "す", 0},
    {"a1", q, "か", 0}, {"a1", e, "ぎ", 1}, {"f1", e, "", 3}, {"e1", h, "り", 0},
    {"d2", q, "か", 0}, {"e2", q, "す", 0}, {"f2", q, "み", 0}, {"e2", q, "か", 0},
    {"d2", q, "く", 0}, {"e2", e, "も", 1}, {"d2", e, "", 3}, {"b1", h, "か", 0},
    {"a1", q, "に", 0}, {"f1", q, "お", 0}, {"a1", q, "い", 0}, {"b1", q, "ぞ", 0},
    {"a1", q, "い", 0}, {"a1", e, "ず", 1}, {"f1", e, "", 3}, {"e1", h, "る", 0},
    {"d2", q, "い", 0}, {"d2", q, "ざ", 0}, {"e2", h, "や", 0},
    {"d2", q, "い", 0}, {"d2", q, "ざ", 0}, {"e2", h, "や", 0},
    {"a1", q, "み", 0}, {"b1", q, "に", 0}, {"e2", e, "ゆ", 1}, {"d2", e, "", 3}, {"b1", q, "か", 0},
    {"a1", w, "ん", 0},
};

void placeText(Score& score, FixedSymbol which, const char* text, int dx, int dy, int fontSize) {
    TScoreSym& symbol = score.fixedSymbol(which);
    symbol.text = text;
    symbol.dx = dx;
    symbol.dy = dy;
    symbol.fontSize = fontSize;
    symbol.height = fontSize;
    symbol.width = shinofu::platform::TextCodec::sjisLength(text) * fontSize / 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_demo_score OUT.gd4\n";
        return 1;
    }
    Score score;
    score.song.keySig = *keyFromLetter("F");
    score.song.fluteKey = 8;
    score.song.tempoText = "72";
    score.setTempo(72);
    placeText(score, kTitleSymbol, "さくらさくら", 211, 6, 12);
    placeText(score, kComposerSymbol, "日本古謡", 440, 26, 6);
    placeText(score, kTempoSymbol, "=72", 36, 39, 6);
    TScoreSym& metronome = score.fixedSymbol(kMetronomeSymbol);
    metronome.dx = 31;
    metronome.dy = 33;
    placeText(score, kFluteKeySymbol, "8本", 14, 37, 8);
    score.songDataSet = true;
    for (const DemoNote& demo : kMelody) {
        TNote* note = score.appendNote(1);
        note->pitch = *pitchFromName(demo.pitch);
        note->len = demo.len;
        note->playTime = playTimeFor(demo.len, score.song.msPerUnit);
        note->semitone = semitoneOfPitch(note->pitch, score.song.keySig);
        note->stemUp = note->pitch <= 20;
        note->beam = demo.beam;
        note->lyric = demo.lyric;
    }
    // A beamed pair takes the stem of its first note; it is sung to one syllable, so a slur joins it.
    for (TNote* note = score.part(1).partHead; !note->isEndMarker(); note = note->next) {
        if (note->beam == kRoleStart) note->slur = kRoleStart;
        if (note->beam == kRoleEnd) {
            note->stemUp = note->prev->stemUp;
            note->slur = kRoleEnd;
        }
    }
    score.recomputePositions();
    // The final bar closes the last measure, standing at its right end as the measure-sign command places it.
    TScoreSym finalBar;
    finalBar.kind = kStop;
    finalBar.text = " ";
    finalBar.anchorPos = score.scoreLength() - score.measureLen();
    finalBar.measOffset = 0;
    finalBar.dy = -10;
    finalBar.width = 12;
    finalBar.height = 14;
    finalBar.fontIndex = 1;
    constexpr int kViewWidth = 990;
    constexpr double kNoteSize = 2.0;
    finalBar.dx = static_cast<int>(std::lround(fitScoreLine(score, kViewWidth, kNoteSize, 4).measureWidth - 12));
    score.part(1).symbols.push_back(finalBar);
    SaveResult result = saveScoreFile(argv[1], score);
    if (!result.written) {
        std::cerr << result.error.message << "\n";
        return 1;
    }
    return 0;
}
