// What a score sounds, read back from the Standard MIDI File the program writes for it: each
// note-on's time and key, so tests check the sound and not a field that holds the intended number.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "midi/navigation.h"
#include "midi/perf_builder.h"
#include "midi/smf_reader.h"
#include "midi/smf_writer.h"
#include "model/score.h"

namespace shinofu::testing {

struct Struck {
    int64_t tick;
    int channel;
    int key;
    bool operator==(const Struck&) const = default;
};

inline std::vector<Struck> struckIn(const std::string& file) {
    std::vector<Struck> struck;
    const midi::SmfRead read = midi::readSmf(file);
    if (!read.file) return struck;
    for (const midi::SmfEvent& event : read.file->events) {
        // The writer strikes rests as silent key 3 at velocity 0: only sounding keys count.
        if ((event.status & 0xF0) == 0x90 && event.data2 > 0) struck.push_back({event.tick, event.status & 0x0F, event.data1});
    }
    return struck;
}

inline std::string midiFileOf(model::Score& score) {
    midi::placeNavigationMarks(score);
    const auto list = midi::buildPerfList(score);
    midi::linkNavigation(*list);
    midi::SmfOptions options;
    options.tempo = score.song.tempo;
    return midi::smfBytes(score, *list, options);
}

inline std::vector<Struck> struckKeys(model::Score& score) { return struckIn(midiFileOf(score)); }

}  // namespace shinofu::testing
