// Imports a one-staff melody of 1024, 2048 and 4096 measures written by the project's own SMF writer,
// and writes each as .gd4; prints the time of each (it should grow linearly) and the peak memory.
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>

#include "midi/navigation.h"
#include "midi/perf_builder.h"
#include "midi/smf_import.h"
#include "midi/smf_reader.h"
#include "midi/smf_writer.h"
#include "model/score_file.h"

int main() {
    using namespace shinofu;
    namespace fs = std::filesystem;
    const fs::path out = fs::temp_directory_path() / ("shinofu_import_bench_" + std::to_string(::getpid()) + ".gd4");
    std::printf("MIDI import of a one-staff melody (eighths, quarters, dotted quarters), with the .gd4 written\n");
    for (int measures : {1024, 2048, 4096}) {
        model::Score melody;
        const int pattern[] = {6, 6, 12, 18, 6};  // 48 units: one measure
        for (int measure = 0; measure < measures; ++measure) {
            for (int i = 0; i < 5; ++i) {
                model::TNote* note = melody.appendNote(1);
                note->pitch = static_cast<uint8_t>(15 + (measure + i) % 10);
                note->len = pattern[i];
            }
        }
        melody.recomputePositions();
        midi::placeNavigationMarks(melody);
        const auto list = midi::buildPerfList(melody);
        midi::SmfOptions options;
        options.tempo = melody.song.tempo;
        const std::string bytes = midi::smfBytes(melody, *list, options);

        const auto start = std::chrono::steady_clock::now();
        const midi::SmfRead read = midi::readSmf(bytes);
        model::Score imported;
        midi::importSmf(*read.file, imported, "bench");
        model::saveScoreFile(out, imported);
        const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        std::printf("  %5d measures (%zu bytes): %.1f ms\n", measures, bytes.size(), ms);
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("  peak memory %.1f MiB\n", usage.ru_maxrss / 1024.0);
    fs::remove(out);
    return 0;
}
