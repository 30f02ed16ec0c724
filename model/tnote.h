// The note record: one node of a part's doubly linked list, which ends in an end-marker record.
#pragma once

#include <cstdint>
#include <string>

#include "model/pitch.h"

namespace shinofu::model {

constexpr int kDefaultVelocity = 60;

struct TNote {
    int32_t len = 12;
    int32_t soundLen = 0;
    int32_t startPos = 0;
    int32_t endPos = 0;
    int32_t midiNote = 0;
    int32_t velocity = kDefaultVelocity;
    int32_t prevVelocity = 0;
    int32_t loadedVelocity = 0;
    int32_t playTime = 800;
    int32_t prevPlayTime = 0;
    int32_t loadedPlayTime = 0;
    int32_t curveMid = 0;
    int32_t curveStart = 0;
    int32_t curveEnd = 0;
    uint8_t accidental = kNoAccidental;
    uint8_t effAccidental = kNoAccidental;
    bool selected = false;
    bool stemUp = true;
    bool silent = false;
    bool tiedOn = false;
    uint8_t beam = kNoRole;
    uint8_t tie = kNoRole;
    uint8_t slur = kNoRole;
    uint8_t triplet = kNoRole;
    uint8_t sextuplet = kNoRole;
    uint8_t pitch = kEndMarker;
    uint8_t semitone = 69;
    uint8_t jumpMark = 0;     // a navigation sign at the note (segno, repeat start, endings, Coda)
    uint8_t closingMark = 0;  // a sign that closes the note's measure (final bar, D.C., D.S., Fine, repeat end, to Coda)
    uint8_t playMark = 0;
    std::string lyric;
    TNote* prev = nullptr;
    TNote* next = nullptr;

    bool isEndMarker() const { return pitch == kEndMarker || next == nullptr; }
};

// The one place that sets record defaults; playTime follows the current tempo.
void initNote(TNote& note, double msPerUnit);

// Sounding time of a length at the given tempo, rounded half away from zero.
int32_t playTimeFor(int32_t len, double msPerUnit);

}  // namespace shinofu::model
