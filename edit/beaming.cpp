#include "edit/beaming.h"

#include <algorithm>

namespace shinofu::edit {
namespace {

using model::kNoRole;
using model::kRoleEnd;
using model::kRoleEndAndStart;
using model::kRoleMiddle;
using model::kRoleStart;

constexpr int kShortestUnbeamed = 10;  // notes of this length and longer take no beam
constexpr int kQuarter = 12;
constexpr int kMaxWalk = 1 << 20;      // a walk past this many records stops, whatever a file says

void setLength(model::Score& score, model::TNote& note, int len) {
    note.len = len;
    note.playTime = model::playTimeFor(len, score.song.msPerUnit);
}

// A group that ends before a note loses its open end: a middle closes, a lone start dissolves.
void closeBefore(model::TNote& note) {
    if (!note.prev) return;
    if (note.prev->beam == kRoleMiddle) note.prev->beam = kRoleEnd;
    if (note.prev->beam == kRoleStart) note.prev->beam = kNoRole;
}

model::TNote* splitAfter(model::Score& score, model::TNote& note, int secondLen) {
    model::TNote* copy = score.allocateNote();
    *copy = note;
    copy->selected = false;
    copy->prev = &note;
    copy->next = note.next;
    note.next->prev = copy;
    note.next = copy;
    setLength(score, note, note.len - secondLen);
    setLength(score, *copy, secondLen);
    return copy;
}

bool isNote(const model::TNote* note) { return note && !note->isEndMarker(); }

// Beams every measure that starts at or after `from`; an incomplete last measure closes its group.
void beamFrom(model::Score& score, model::TNote* from, bool beamPerBeat) {
    const int measureLen = score.measureLen();
    int sum = 0;
    model::TNote* last = nullptr;
    for (model::TNote* note = from; isNote(note); note = note->next) {
        if (sum % measureLen == 0) beamMeasure(score, note, 0, beamPerBeat);
        sum += std::max(0, note->len);
        last = note;
    }
    if (last && sum % measureLen != 0) {
        if (last->beam == kRoleMiddle) last->beam = kRoleEnd;
        if (last->beam == kRoleStart) last->beam = kNoRole;
    }
}

}  // namespace

int beamSpan(const model::Score& score, bool beamPerBeat) {
    const model::Meter& meter = score.meter();
    if (meter.denominator == 8) return 18;
    if (beamPerBeat) return 12;
    return meter.numerator == 2 || meter.numerator == 4 ? 24 : 12;
}

bool setBeams(model::Score& score) {
    bool firstPending = true;
    bool open = false;
    bool stem = true;
    bool changed = false;
    for (model::TNote* note = score.part(score.curPart).partHead; isNote(note); note = note->next) {
        const model::TNote before = *note;
        if (note->selected && firstPending) {
            note->beam = kRoleStart;
            stem = note->stemUp;
            firstPending = false;
            open = true;
        } else if (note->selected) {
            note->beam = kRoleMiddle;
            note->stemUp = stem;
        } else if (open) {
            note->prev->beam = kRoleEnd;
            note->prev->stemUp = stem;
            open = false;
            changed = true;
        }
        changed = changed || before.beam != note->beam || before.stemUp != note->stemUp;
    }
    return changed;
}

bool clearBeams(model::Score& score) {
    bool changed = false;
    model::TNote* previous = nullptr;
    for (model::TNote* note = score.part(score.curPart).partHead; isNote(note); note = note->next) {
        if (note->selected) {
            if (previous && previous->beam != kNoRole) previous->beam = kRoleEnd;
            changed = changed || note->beam != kNoRole;
            if (note->beam == kRoleEnd) {
                note->beam = kNoRole;
            } else {
                note->beam = kNoRole;
                for (model::TNote* after = note->next; isNote(after) && after->beam != kNoRole; after = after->next) {
                    after->beam = kNoRole;
                }
            }
        }
        previous = note;
    }
    return changed;
}

bool setTriplets(model::Score& score) {
    bool changed = false;
    bool running = false;
    bool stem = true;
    bool first = true;
    for (model::TNote* note = score.part(score.curPart).partHead; isNote(note); note = note->next) {
        if (note->selected) {
            switch (note->len) {
            case 3: note->len = 2; break;
            case 6: note->len = 4; break;
            case 12: note->len = 8; break;
            case 24: note->len = 16; break;
            case 48: note->len = 32; break;
            default: break;
            }
            if (first) {
                note->triplet = kRoleStart;
                stem = note->stemUp;
                first = false;
            } else {
                note->triplet = kRoleMiddle;
                note->stemUp = stem;
            }
            running = true;
            changed = true;
        } else if (running) {
            note->prev->triplet = kRoleEnd;
            note->prev->stemUp = stem;
            running = false;
        }
        note->playTime = model::playTimeFor(note->len, score.song.msPerUnit);
    }
    return changed;
}

bool clearTriplets(model::Score& score) {
    bool changed = false;
    for (model::TNote* note = score.part(score.curPart).partHead; isNote(note); note = note->next) {
        if (!note->selected) continue;
        switch (note->len) {
        case 2: note->len = 3; break;
        case 4: note->len = 6; break;
        case 8: note->len = 12; break;
        case 16: note->len = 24; break;
        case 32: note->len = 48; break;
        default: break;
        }
        note->triplet = kNoRole;
        note->playTime = model::playTimeFor(note->len, score.song.msPerUnit);
        changed = true;
    }
    return changed;
}

namespace {

// Runs of three triplet values (2, 4 or 8 units) in the measure; quarter triplets keep their beams.
void groupTripletValues(model::TNote* first, int measureFill, int measureLen) {
    int state = 0;
    int position = measureFill;
    int walked = 0;
    for (model::TNote* note = first; isNote(note) && position < measureLen && walked < kMaxWalk; note = note->next, ++walked) {
        position += std::max(0, note->len);
        if (note->len != 2 && note->len != 4 && note->len != 8) continue;
        const uint8_t role = state == 0 ? kRoleStart : state == 1 ? kRoleMiddle : kRoleEnd;
        note->triplet = role;
        if (note->len != 8) note->beam = role;
        state = (state + 1) % 3;
    }
}

// Beams within each span of the measure; a short note crossing a span's end is split there.
void beamSpans(model::Score& score, model::TNote* first, int measureFill, int span) {
    const int measureLen = score.measureLen();
    int inSpan = measureFill;
    int inMeasure = measureFill;
    int group = 0;  // 0 none, 1 started, 2 running
    bool stem = true;
    model::TNote* last = first;
    int walked = 0;
    for (model::TNote* note = first; isNote(note) && walked < kMaxWalk; ++walked) {
        inSpan += std::max(0, note->len);
        model::TNote* current = note;
        if (note->triplet != kNoRole) {
            // Phase 1 grouped it.
        } else if (note->len >= kShortestUnbeamed || note->pitch == model::kRest) {
            note->beam = kNoRole;
            closeBefore(*note);
            group = 0;
        } else if (inSpan < span) {
            if (group != 0) {
                note->beam = kRoleMiddle;
                note->stemUp = stem;
                group = 2;
            } else if (isNote(note->next) && note->next->len < kQuarter) {
                note->beam = kRoleStart;
                stem = note->stemUp;
                group = 1;
            }
        } else if (inSpan == span) {
            if (group != 0) {
                note->beam = kRoleEnd;
                note->stemUp = stem;
            }
            inSpan = 0;
            group = 0;
        } else {
            // The note crosses the span's end: it ends there, tied to the rest of it.
            const int over = inSpan - span;
            if (group != 0) {
                note->beam = kRoleEnd;
                note->stemUp = stem;
            }
            inSpan = over;
            group = 0;
            if (over < note->len) {
                model::TNote* rest = splitAfter(score, *note, over);
                note->tie = kRoleStart;
                rest->tie = kRoleEnd;
                // The second piece starts the next group, which the notes after it join.
                rest->beam = kRoleStart;
                stem = rest->stemUp;
                group = 1;
                inMeasure += note->len;
                current = rest;
            }
        }
        while (inSpan >= span) {
            inSpan -= span;
            group = 0;
        }
        inMeasure += std::max(0, current->len);
        last = current;
        if (inMeasure >= measureLen) break;
        note = current->next;
    }
    if (inMeasure >= measureLen) {
        if (last->beam == kRoleMiddle) last->beam = kRoleEnd;
        if (last->beam == kRoleStart) last->beam = kNoRole;
    }
}

}  // namespace

void beamMeasure(model::Score& score, model::TNote* first, int measureFill, bool beamPerBeat) {
    if (!isNote(first)) return;
    groupTripletValues(first, measureFill, score.measureLen());
    beamSpans(score, first, measureFill, std::max(1, beamSpan(score, beamPerBeat)));
}

void clearMeasureBeams(model::Score& score, model::TNote* first) {
    int sum = 0;
    for (model::TNote* note = first; isNote(note); note = note->next) {
        note->beam = kNoRole;
        sum += std::max(0, note->len);
        if (sum >= score.measureLen()) break;
    }
}

void reflowPart(model::Score& score, model::TNote* from, bool beamPerBeat) {
    if (!isNote(from)) return;
    const int measureLen = score.measureLen();
    // Merge tied notes into one.
    for (model::TNote* note = from; isNote(note); note = note->next) {
        note->beam = kNoRole;
        if (note->tie != kRoleStart) continue;
        model::TNote* end = note->next;
        int walked = 0;
        while (isNote(end) && end->tie != kRoleEnd && walked++ < kMaxWalk) end = end->next;
        if (!isNote(end)) continue;
        int len = note->len;
        for (model::TNote* absorbed = note->next; absorbed != end->next; absorbed = absorbed->next) len += absorbed->len;
        note->next = end->next;
        end->next->prev = note;
        setLength(score, *note, len);
        note->tie = kNoRole;
    }
    for (model::TNote* note = from; isNote(note); note = note->next) {
        note->tie = kNoRole;
        note->beam = kNoRole;
    }
    // Cut again at the bar lines.
    int sum = 0;
    int pieces = 0;
    for (model::TNote* note = from; isNote(note); note = note->next) {
        sum += std::max(0, note->len);
        while (sum > measureLen && pieces++ < kMaxWalk) {
            const int over = sum - measureLen;
            model::TNote* rest = splitAfter(score, *note, over);
            if (note->pitch != model::kRest && (note->tie == kNoRole || note->tie == kRoleEnd)) {
                note->tie = note->tie == kRoleEnd ? kRoleEndAndStart : kRoleStart;
                rest->tie = kRoleEnd;
            }
            note = rest;
            sum = over;
        }
        if (sum == measureLen) sum = 0;
    }
    beamFrom(score, from, beamPerBeat);
}

void beamPart(model::Score& score, int part, bool beamPerBeat) { beamFrom(score, score.part(part).partHead, beamPerBeat); }

}  // namespace shinofu::edit
