#include "midi/perf_builder.h"

#include <algorithm>
#include <cstdint>
#include <numeric>

#include "midi/performance_pass.h"

namespace shinofu::midi {
namespace {

constexpr int kProgressTicks = 1 << 14;  // ticks between progress calls

struct Append {
    int32_t tick;
    int32_t part;
    int32_t sound;
};

struct Sounding {
    int32_t start;
    SoundSnapshot snapshot;
};

bool needsTrailingRest(const model::TNote& endMarker) {
    return endMarker.prev && endMarker.prev->pitch != model::kRest;
}

// The records a part sounds from, in order: notes and rests (those tied on left out), then its end
// marker. A part that does not end with a rest is given one of the end marker's length before it,
// so its last note is released before the performance ends; the score itself is left as it is.
std::vector<Sounding> soundingRecords(const model::Score& score, int part) {
    const int program = score.part(part).instrument;
    std::vector<Sounding> records;
    const model::TNote* note = score.part(part).partHead;
    while (note->tiedOn && note->next) note = note->next;
    for (;; note = note->next) {
        if (!note->next) {
            if (!needsTrailingRest(*note)) {
                records.push_back({note->startPos, snapshotOf(*note, program)});
                break;
            }
            SoundSnapshot rest = snapshotOf(*note, program);
            rest.pitch = model::kRest;
            rest.silent = true;
            rest.midiNote = -1;
            rest.startPos = note->prev->endPos;
            records.push_back({rest.startPos, rest});
            model::TNote fresh;
            model::initNote(fresh, score.song.msPerUnit);
            records.push_back({fresh.startPos, snapshotOf(fresh, program)});
            break;
        }
        if (!note->tiedOn) records.push_back({note->startPos, snapshotOf(*note, program)});
    }
    return records;
}

// Each tick appends at most one record of a part: a record is appended at its start, or one tick
// after the previous append when records of no length crowd one tick; once the part has reached
// its end marker, the marker's snapshot is appended at every remaining tick.
std::vector<Append> partAppends(const model::Score& score, int part, int length, std::vector<SoundSnapshot>& sounds) {
    const std::vector<Sounding> records = soundingRecords(score, part);
    size_t at = 0;
    auto push = [&sounds](const SoundSnapshot& snapshot) {
        sounds.push_back(snapshot);
        return static_cast<int32_t>(sounds.size() - 1);
    };
    int32_t sound = push(records[at].snapshot);
    std::vector<Append> appends;
    for (int tick = std::max(0, records[at].start); tick <= length; tick = std::max(tick + 1, records[at].start)) {
        appends.push_back({tick, part, sound});
        if (at + 1 == records.size()) continue;
        sound = push(records[++at].snapshot);
    }
    return appends;
}

// The performance's length: the longest part, with the rest a part is given at its end.
int performanceLength(const model::Score& score, int passLength) {
    int length = passLength;
    for (int part = 1; part <= score.partCount; ++part) {
        const model::TNote* marker = score.part(part).partHead;
        while (marker->next) marker = marker->next;
        if (needsTrailingRest(*marker)) {
            const int64_t restEnd = int64_t{marker->prev->endPos} + marker->len;
            length = std::max(length, static_cast<int>(std::min<int64_t>(restEnd, INT32_MAX)));
        }
    }
    return length;
}

// The note-ons in tick order, parts in order within a tick; false when cancelled.
bool mergeNoteOns(const std::vector<std::vector<Append>>& perPart, int length, std::vector<Append>& ons,
                  const BuildProgress& progress) {
    ons.reserve(std::accumulate(perPart.begin(), perPart.end(), size_t{0},
                                [](size_t n, const auto& v) { return n + v.size(); }));
    std::vector<size_t> at(perPart.size(), 0);
    for (int tick = 0; tick <= length; ++tick) {
        for (size_t p = 0; p < perPart.size(); ++p) {
            if (at[p] < perPart[p].size() && perPart[p][at[p]].tick == tick) ons.push_back(perPart[p][at[p]++]);
        }
        if (progress && tick % kProgressTicks == 0 && !progress(0.4 + 0.3 * tick / std::max(1, length))) return false;
    }
    return true;
}

// The note-offs by tick, each tick's in the order their notes started (a counting sort); offs
// past the end of the performance are left out.
struct OffGroups {
    std::vector<int32_t> start;  // start[t] .. start[t + 1]: the offs at tick t, as indices into order
    std::vector<int32_t> order;  // indices of note-ons
};

OffGroups groupNoteOffs(const std::vector<Append>& ons, const std::vector<SoundSnapshot>& sounds, int length) {
    auto offTick = [&](const Append& on) { return int64_t{on.tick} + sounds[static_cast<size_t>(on.sound)].soundLen; };
    OffGroups groups;
    groups.start.assign(static_cast<size_t>(length) + 2, 0);
    for (const Append& on : ons) {
        const int64_t off = offTick(on);
        if (off >= 0 && off <= length) ++groups.start[static_cast<size_t>(off) + 1];
    }
    for (size_t i = 1; i < groups.start.size(); ++i) groups.start[i] += groups.start[i - 1];
    groups.order.resize(static_cast<size_t>(groups.start.back()));
    std::vector<int32_t> fill(groups.start.begin(), groups.start.end() - 1);
    for (size_t i = 0; i < ons.size(); ++i) {
        const int64_t off = offTick(ons[i]);
        if (off < 0 || off > length) continue;
        groups.order[static_cast<size_t>(fill[static_cast<size_t>(off)]++)] = static_cast<int32_t>(i);
    }
    return groups;
}

}  // namespace

SoundSnapshot snapshotOf(const model::TNote& note, int program) {
    return {note.soundLen, note.midiNote,  note.velocity, program,   note.playTime,
            note.startPos, note.silent,    note.tiedOn,   note.pitch, note.jumpMark, note.closingMark};
}

std::shared_ptr<const PerfList> buildPerfList(model::Score& score, const BuildProgress& progress) {
    score.recomputePositions();
    const int length = performanceLength(score, performancePass(score));
    std::vector<SoundSnapshot> sounds;
    std::vector<std::vector<Append>> perPart(score.partCount);
    for (int part = 1; part <= score.partCount; ++part) {
        perPart[part - 1] = partAppends(score, part, length, sounds);
        if (progress && !progress(0.4 * part / score.partCount)) return nullptr;
    }
    std::vector<Append> ons;
    if (!mergeNoteOns(perPart, length, ons, progress)) return nullptr;
    const OffGroups offs = groupNoteOffs(ons, sounds, length);
    std::vector<PerfEvent> events;
    events.reserve(ons.size() + offs.order.size());
    size_t nextOn = 0;
    for (int tick = 0; tick <= length; ++tick) {
        const auto at = static_cast<size_t>(tick);
        for (int32_t k = offs.start[at]; k < offs.start[at + 1]; ++k) {
            const Append& on = ons[static_cast<size_t>(offs.order[static_cast<size_t>(k)])];
            events.push_back({tick, on.part, false, on.sound});
        }
        while (nextOn < ons.size() && ons[nextOn].tick <= tick) {
            const Append& on = ons[nextOn++];
            events.push_back({on.tick, on.part, true, on.sound});
        }
        if (progress && tick % kProgressTicks == 0 && !progress(0.7 + 0.3 * tick / std::max(1, length))) return nullptr;
    }
    return std::make_shared<const PerfList>(std::move(sounds), std::move(events));
}

}  // namespace shinofu::midi
