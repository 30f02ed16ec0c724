#include "midi/navigation.h"

#include <optional>
#include <vector>

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
    // The signs as they stand now: a sign deleted since the last performance leaves no mark behind.
    model::forEachNote(score.part(1).partHead, [](model::TNote& note) { note.jumpMark = note.closingMark = 0; });
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
        case model::kToCoda:
            if (model::TNote* last = lastOfMeasure(at, score.measureLen())) last->closingMark = sign.kind;
            break;
        case model::kSegno:
        case model::kRepeatLeft:
        case model::kFirstEnding:
        case model::kSecondEnding:
        case model::kCoda:
            if (at) at->jumpMark = sign.kind;
            break;
        default: break;
        }
    }
}

void linkNavigation(const PerfList& list) {
    int32_t segno = kNoJump;
    // Where the next repeat end goes back to: its start sign, else just after the previous repeat
    // section (the first note-on at or after that section's end), else the beginning.
    int32_t sectionStart = 0;
    std::optional<int32_t> sectionStartsAtTick;
    int32_t firstEnding = kNoJump;
    std::vector<size_t> toCodas;  // waiting for the Coda after them
    const auto& events = list.events();
    for (size_t i = 0; i < events.size(); ++i) {
        const PerfEvent& event = events[i];
        const int32_t index = static_cast<int32_t>(i);
        const SoundSnapshot& sound = list.sound(event);
        const uint8_t mark = (event.isNoteOn ? sound.jumpMark : sound.closingMark) & kJumpMarkBits;
        if (!event.isNoteOn) {
            switch (mark) {
            case model::kStop:
            case model::kFine: list.setJump(i, kEndJump); break;
            case model::kDaCapo: list.setJump(i, 0); break;
            case model::kDalSegno: list.setJump(i, segno); break;
            case model::kRepeatRight:
                list.setJump(i, sectionStart);
                sectionStartsAtTick = event.tick;
                break;
            case model::kToCoda: toCodas.push_back(i); break;
            default: break;
            }
            continue;
        }
        if (sectionStartsAtTick && event.tick >= *sectionStartsAtTick) {
            sectionStart = index;
            sectionStartsAtTick.reset();
        }
        switch (mark) {
        case model::kSegno: segno = index; break;
        case model::kRepeatLeft:
            sectionStart = index;
            sectionStartsAtTick.reset();
            break;
        case model::kFirstEnding: firstEnding = index; break;
        case model::kSecondEnding:
            if (firstEnding != kNoJump) list.setJump(static_cast<size_t>(firstEnding), index);
            firstEnding = kNoJump;
            break;
        case model::kCoda:
            for (size_t toCoda : toCodas) list.setJump(toCoda, index);
            toCodas.clear();
            break;
        default: break;
        }
    }
}

}  // namespace shinofu::midi
