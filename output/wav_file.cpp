#include "output/wav_file.h"

#include <cstring>

#include "midi/navigation.h"
#include "midi/navigator.h"
#include "midi/perf_builder.h"
#include "midi/playback_engine.h"
#include "platform/fluid_renderer.h"
#include "platform/virtual_clock.h"
#include "platform/ui_text.h"

namespace shinofu::output {
namespace {

namespace fs = std::filesystem;

constexpr int kChannels = 2;
constexpr int kBitsPerSample = 16;
constexpr double kTailMilliseconds = 1000;  // the last notes ring out
constexpr size_t kChunkSamples = 1 << 20;
constexpr uint64_t kMostDataBytes = UINT32_MAX - 36;  // what a RIFF header can say

void putLittleEndian(std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

std::string waveHeader(uint64_t dataBytes) {
    const uint32_t size = static_cast<uint32_t>(std::min<uint64_t>(dataBytes, UINT32_MAX - 36));
    std::string header = "RIFF";
    putLittleEndian(header, size + 36, 4);
    header += "WAVEfmt ";
    putLittleEndian(header, 16, 4);
    putLittleEndian(header, 1, 2);  // PCM
    putLittleEndian(header, kChannels, 2);
    putLittleEndian(header, platform::FluidRenderer::kSampleRate, 4);
    putLittleEndian(header, platform::FluidRenderer::kSampleRate * kChannels * kBitsPerSample / 8, 4);
    putLittleEndian(header, kChannels * kBitsPerSample / 8, 2);
    putLittleEndian(header, kBitsPerSample, 2);
    header += "data";
    putLittleEndian(header, size, 4);
    return header;
}

// The sound a performance makes, from its count-in over its first event to its last, and the tail.
uint64_t dataBytesFor(const midi::PerfList& list, double msPerUnit, double countIn) {
    const auto performed = midi::performedEvents(list, midi::Navigator::FinalBar::Ends);
    const double units = performed.empty() ? 0 : static_cast<double>(performed.back().tick - performed.front().tick);
    const double milliseconds = countIn + units * msPerUnit + kTailMilliseconds;
    return static_cast<uint64_t>(milliseconds * platform::FluidRenderer::kSampleRate / 1000) * kChannels * kBitsPerSample / 8;
}

}  // namespace

WavWrite writeWavFile(model::Score& score, const fs::path& path, platform::IoError& error,
                      const RenderProgress& progress, const midi::PracticeSettings& practice) {
    platform::FluidRenderer renderer;
    if (!renderer.ready()) {
        error.message = renderer.silenceReason();
        return WavWrite::Failed;
    }
    midi::placeNavigationMarks(score);
    const auto list = midi::buildPerfList(score);
    if (!list) {
        error.message = ui::text("ui", "演奏データを作れません");
        return WavWrite::Failed;
    }
    midi::linkNavigation(*list);
    // Refused before a byte is written: the format's sizes hold 4 GiB at most.
    midi::PlaybackStart start = midi::playbackStartOf(score, list);
    start.practice = midi::practiceTiming(score, practice);
    start.practice.settings.loop = false;
    const double countIn = practice.countIn ? start.practice.measureUnits * score.song.msPerUnit : 0;
    const uint64_t estimate = dataBytesFor(*list, score.song.msPerUnit, countIn);
    if (estimate > kMostDataBytes) {
        error.message = ui::format(ui::text("ui", "WAVファイルは4GiBまでです（この演奏は約%1GiB）："), {std::to_string(estimate >> 30)}) +
                        path.string();
        return WavWrite::Failed;
    }

    platform::AtomicFile file(path);
    file.append(waveHeader(0));
    platform::VirtualClock clock;
    midi::PlaybackEngine engine(renderer, clock);

    std::vector<int16_t> samples;
    uint64_t dataBytes = 0;
    int64_t framesDone = 0;
    auto flush = [&] {
        file.append(std::string(reinterpret_cast<const char*>(samples.data()), samples.size() * sizeof(int16_t)));
        dataBytes += samples.size() * sizeof(int16_t);
        samples.clear();
    };
    // Sound up to each moment before what happens at it.
    auto renderUntil = [&](double milliseconds) {
        const auto frames = static_cast<int64_t>(milliseconds * platform::FluidRenderer::kSampleRate / 1000);
        renderer.render(frames - framesDone, samples);
        framesDone = std::max(framesDone, frames);
        if (samples.size() >= kChunkSamples) flush();
    };
    const double bytesPerMillisecond = platform::FluidRenderer::kSampleRate / 1000.0 * kChannels * kBitsPerSample / 8;
    if (engine.start(start)) {
        while (!clock.idle()) {
            clock.runUntil(clock.now() + 1000, renderUntil);
            if (progress && !progress(std::min(1.0, clock.now() * bytesPerMillisecond / static_cast<double>(estimate)))) {
                return WavWrite::Cancelled;  // the temporary goes with the file object
            }
        }
    }
    // The tail from the last thing that happened, not from the end of the clock's last step.
    renderUntil(static_cast<double>(framesDone) * 1000 / platform::FluidRenderer::kSampleRate + kTailMilliseconds);
    flush();
    file.overwrite(0, waveHeader(dataBytes));
    return file.commit(error) ? WavWrite::Written : WavWrite::Failed;
}

}  // namespace shinofu::output
