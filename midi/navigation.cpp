#include "midi/navigation.h"

namespace shinofu::midi {
namespace {

constexpr uint8_t kJumpMarkBits = 0x7F;

model::TNote* firstNoteFrom(model::Score& score, int position) {
    for (model::TNote* note = score.part(1).partHead; note && !note->isEndMarker(); note = note->next) {
        if (note->startPos >= position) return note;
    }
    return nullptr;
}

// The note that fills the measure starting at the given note.
model::TNote* lastOfMeasure(model::TNote* first, int measureLen) {
    int sum = 0;
    for (model::TNote* note = first; note && !note->isEndMarker(); note = note->next) {
        sum += note->len;
        if (sum >= measureLen) return note;
    }
    return nullptr;
}

}  // namespace

void placeNavigationMarks(model::Score& score) {
    score.recomputePositions();
    const auto& symbols = score.part(1).symbols;
    for (size_t i = model::fixedSymCount; i < symbols.size(); ++i) {
        const model::TScoreSym& sign = symbols[i];
        model::TNote* at = firstNoteFrom(score, sign.anchorPos);
        switch (sign.kind) {
        case model::kStop:
        case model::kDaCapo:
        case model::kDalSegno:
        case model::kFine:
        case model::kRepeatRight:
            if (model::TNote* last = lastOfMeasure(at, score.measureLen())) last->jumpMark = sign.kind;
            break;
        case model::kSegno:
        case model::kRepeatLeft:
        case model::kFirstEnding:
        case model::kSecondEnding:
            if (at) at->jumpMark = sign.kind;
            break;
        default: break;
        }
    }
}

void linkNavigation(const PerfList& list) {
    int32_t segno = kNoJump;
    int32_t repeatStart = kNoJump;
    int32_t repeatEnd = kNoJump;
    int32_t firstEnding = kNoJump;
    int32_t secondEnding = kNoJump;
    const auto& events = list.events();
    for (size_t i = 0; i < events.size(); ++i) {
        const PerfEvent& event = events[i];
        const int32_t index = static_cast<int32_t>(i);
        const uint8_t mark = list.sound(event).jumpMark & kJumpMarkBits;
        if (!event.isNoteOn) {
            switch (mark) {
            case model::kStop:
            case model::kFine: list.setJump(i, kEndJump); break;
            case model::kDaCapo: list.setJump(i, 0); break;
            case model::kDalSegno: list.setJump(i, segno); break;
            case model::kRepeatRight: repeatEnd = index; break;
            default: break;
            }
        } else {
            switch (mark) {
            case model::kSegno: segno = index; break;
            case model::kRepeatLeft: repeatStart = index; break;
            case model::kFirstEnding: firstEnding = index; break;
            case model::kSecondEnding: secondEnding = index; break;
            default: break;
            }
        }
    }
    if (repeatStart != kNoJump && repeatEnd != kNoJump) list.setJump(static_cast<size_t>(repeatEnd), repeatStart);
    if (firstEnding != kNoJump) list.setJump(static_cast<size_t>(firstEnding), secondEnding);
}

}  // namespace shinofu::midi
