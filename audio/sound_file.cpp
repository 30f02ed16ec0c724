#include "audio/sound_file.h"

#include "platform/ui_text.h"

#include <samplerate.h>
#include <sndfile.h>

#include <algorithm>
#include <memory>

namespace shinofu::audio {
namespace {

struct CloseSound {
    void operator()(SNDFILE* file) const { sf_close(file); }
};
struct DeleteResampler {
    void operator()(SRC_STATE* state) const { src_delete(state); }
};

constexpr sf_count_t kBlockFrames = 65536;  // 1.5 s at 44.1 kHz: the analysis's two threads meet rarely

}  // namespace

SoundStream streamSound(const std::filesystem::path& path, int rate, platform::IoError& error,
                        const std::function<bool(std::span<const float> block, double done)>& take, double mostSeconds) {
    SF_INFO info{};
    std::unique_ptr<SNDFILE, CloseSound> file(sf_open(path.c_str(), SFM_READ, &info));
    if (!file) {
        error.message = ui::text("ui", "音声ファイルを読めません：") + path.string() + "（" + sf_strerror(nullptr) + "）";
        return SoundStream::Failed;
    }
    if (info.channels < 1 || info.samplerate < 1000 || info.samplerate > 768000) {
        error.message = ui::text("ui", "音声ファイルの形式が扱えません：") + path.string();
        return SoundStream::Failed;
    }
    const auto tooLong = [&] {
        error.message = ui::format(ui::text("ui", "音声ファイルが長すぎます（%1分まで）："), {std::to_string(static_cast<int>(mostSeconds / 60))}) +
                        path.string();
        return SoundStream::Failed;
    };
    if (static_cast<double>(info.frames) > mostSeconds * info.samplerate) return tooLong();
    int status = 0;
    std::unique_ptr<SRC_STATE, DeleteResampler> resampler(src_new(SRC_SINC_FASTEST, 1, &status));
    if (!resampler) {
        error.message = ui::text("ui", "音声の変換を始められません：") + src_strerror(status);
        return SoundStream::Failed;
    }
    const double ratio = static_cast<double>(rate) / info.samplerate;
    std::vector<float> frames(static_cast<size_t>(kBlockFrames * info.channels));
    std::vector<float> mono(static_cast<size_t>(kBlockFrames));
    std::vector<float> out(static_cast<size_t>(static_cast<double>(kBlockFrames) * ratio) + 64);
    const sf_count_t most = static_cast<sf_count_t>(mostSeconds * info.samplerate);
    sf_count_t total = 0;
    for (;;) {
        const sf_count_t read = sf_readf_float(file.get(), frames.data(), kBlockFrames);
        total += read;
        if (total > most) return tooLong();  // the header understated the length
        for (sf_count_t i = 0; i < read; ++i) {
            float sum = 0;
            for (int channel = 0; channel < info.channels; ++channel) sum += frames[static_cast<size_t>(i * info.channels + channel)];
            mono[static_cast<size_t>(i)] = sum / static_cast<float>(info.channels);
        }
        const double done = info.frames > 0 ? std::min(1.0, static_cast<double>(total) / static_cast<double>(info.frames)) : 0.0;
        if (info.samplerate == rate) {  // already at the rate: nothing to convert
            if (!take(std::span<const float>(mono.data(), static_cast<size_t>(read)), done)) return SoundStream::Stopped;
            if (read < kBlockFrames) break;
            continue;
        }
        SRC_DATA data{};
        data.data_in = mono.data();
        data.input_frames = static_cast<long>(read);
        data.end_of_input = read < kBlockFrames ? 1 : 0;
        data.src_ratio = ratio;
        // The resampler may hold input back; it is fed until it has taken the whole block.
        do {
            data.data_out = out.data();
            data.output_frames = static_cast<long>(out.size());
            if (const int failed = src_process(resampler.get(), &data); failed != 0) {
                error.message = ui::text("ui", "音声の変換に失敗しました：") + src_strerror(failed);
                return SoundStream::Failed;
            }
            if (!take(std::span<const float>(out.data(), static_cast<size_t>(data.output_frames_gen)), done)) return SoundStream::Stopped;
            data.data_in += data.input_frames_used;
            data.input_frames -= data.input_frames_used;
        } while (data.input_frames > 0 || (data.end_of_input && data.output_frames_gen > 0));
        if (read < kBlockFrames) break;
    }
    return SoundStream::Read;
}

std::optional<Sound> readSound(const std::filesystem::path& path, int rate, platform::IoError& error, double mostSeconds) {
    Sound sound;
    sound.rate = rate;
    const auto keep = [&](std::span<const float> block, double) {
        sound.samples.insert(sound.samples.end(), block.begin(), block.end());
        return true;
    };
    if (streamSound(path, rate, error, keep, mostSeconds) != SoundStream::Read) return std::nullopt;
    return sound;
}

}  // namespace shinofu::audio
