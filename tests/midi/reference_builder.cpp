#include "reference_builder.h"

#include "midi/perf_builder.h"
#include "midi/performance_pass.h"

namespace shinofu::testing {
namespace {

struct Entry {
    int tick;
    int part;
    int sound;
    bool taken = false;
};

}  // namespace

namespace {

void appendTrailingRests(model::Score& score) {
    for (int part = 1; part <= score.partCount; ++part) {
        model::TNote* last = score.part(part).partHead;
        while (!last->isEndMarker()) last = last->next;
        if (!last->prev || last->prev->pitch == model::kRest) continue;
        model::TNote* marker = score.allocateNote();
        last->next = marker;
        marker->prev = last;
        last->pitch = model::kRest;
    }
    score.recomputePositions();
}

}  // namespace

ReferenceList referenceBuild(model::Score& score) {
    appendTrailingRests(score);
    ReferenceList result;
    const int length = midi::performancePass(score);
    std::vector<const model::TNote*> cursor(score.partCount + 1);
    std::vector<int> snapshot(score.partCount + 1);
    auto snap = [&](int part) {
        result.sounds.push_back(midi::snapshotOf(*cursor[part], score.part(part).instrument));
        snapshot[part] = static_cast<int>(result.sounds.size()) - 1;
    };
    for (int part = 1; part <= score.partCount; ++part) {
        cursor[part] = score.part(part).partHead;
        while (cursor[part]->tiedOn && cursor[part]->next) cursor[part] = cursor[part]->next;
        snap(part);
    }
    std::vector<Entry> ons;
    std::vector<Entry> offs;
    for (int tick = 0; tick <= length; ++tick) {
        for (int part = 1; part <= score.partCount; ++part) {
            if (cursor[part]->startPos > tick) continue;
            ons.push_back({tick, part, snapshot[part]});
            offs.push_back({tick + result.sounds[snapshot[part]].soundLen, part, snapshot[part]});
            if (cursor[part]->next) {
                cursor[part] = cursor[part]->next;
                while (cursor[part]->tiedOn && cursor[part]->next) cursor[part] = cursor[part]->next;
                snap(part);
            }
        }
    }
    size_t nextOn = 0;
    for (int tick = 0; tick <= length; ++tick) {
        for (Entry& off : offs) {
            if (!off.taken && off.tick == tick) {
                result.events.push_back({tick, off.part, false, off.sound});
                off.taken = true;
            }
        }
        while (nextOn < ons.size() && ons[nextOn].tick <= tick) {
            result.events.push_back({ons[nextOn].tick, ons[nextOn].part, true, ons[nextOn].sound});
            ++nextOn;
        }
    }
    return result;
}

}  // namespace shinofu::testing
