// Renders the benchmark melody (2048 measures of eighths at tempo 120: 4096 s of music) to a WAV
// file and prints how many times faster than real time it went.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>

#include "model/score.h"
#include "output/wav_file.h"

int main() {
    using namespace shinofu;
    namespace fs = std::filesystem;
    constexpr int kMeasures = 2048;
    model::Score score;
    score.setTempo(120);
    for (int i = 0; i < kMeasures * 8; ++i) {
        model::TNote* note = score.appendNote(1);
        note->pitch = static_cast<uint8_t>(15 + (i * 3) % 12);
        note->len = 6;
        note->playTime = model::playTimeFor(6, score.song.msPerUnit);
    }
    score.recomputePositions();
    const fs::path file = fs::temp_directory_path() / ("shinofu_bench_" + std::to_string(::getpid()) + ".wav");
    platform::IoError error;
    const auto start = std::chrono::steady_clock::now();
    const bool written = output::writeWavFile(score, file, error) == output::WavWrite::Written;
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (!written) {
        std::printf("WAV render failed: %s\n", error.message.c_str());
        return 0;
    }
    const double music = (fs::file_size(file) - 44) / (44100.0 * 4);
    std::printf("WAV render of %d measures: %.0f s of music in %.2f s, %.0f x real time, %.0f MiB\n", kMeasures, music,
                seconds, music / seconds, fs::file_size(file) / 1048576.0);
    fs::remove(file);
    return 0;
}
