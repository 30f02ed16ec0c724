// Times the performance build and the MIDI file write for 1 and 6 parts of 32, 512 and 4096
// measures of eighth notes, and prints the peak memory.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>

#include "midi/navigation.h"
#include "midi/perf_builder.h"
#include "midi/smf_writer.h"
#include "model/score.h"

namespace {

using namespace shinofu;
using Clock = std::chrono::steady_clock;

void fill(model::Score& score, int parts, int measures) {
    score.partCount = parts;
    for (int part = 1; part <= parts; ++part) {
        for (int i = 0; i < measures * 8; ++i) {
            model::TNote* note = score.appendNote(part);
            note->pitch = static_cast<uint8_t>(15 + (i * 3 + part) % 14);
            note->len = 6;
            note->accidental = i % 11 == 0 ? model::kSharp : model::kNoAccidental;
        }
    }
    score.recomputePositions();
}

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

}  // namespace

int main() {
    std::printf("%-6s %-9s %10s %12s %12s %12s\n", "parts", "measures", "events", "build ms", "write ms", "file KiB");
    for (int parts : {1, 6}) {
        for (int measures : {32, 512, 4096}) {
            model::Score score;
            fill(score, parts, measures);
            midi::placeNavigationMarks(score);
            double best = 1e9;
            std::shared_ptr<const midi::PerfList> list;
            for (int round = 0; round < 5; ++round) {
                auto start = Clock::now();
                list = midi::buildPerfList(score);
                midi::linkNavigation(*list);
                best = std::min(best, millisecondsSince(start));
            }
            auto start = Clock::now();
            std::string file = midi::smfBytes(score, *list, {});
            const double write = millisecondsSince(start);
            std::printf("%-6d %-9d %10zu %12.2f %12.2f %12.1f\n", parts, measures, list->size(), best, write,
                        file.size() / 1024.0);
        }
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak memory %.1f MiB\n", usage.ru_maxrss / 1024.0);
    return 0;
}
