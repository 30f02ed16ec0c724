#include "audio/sound_file.h"

#include <samplerate.h>
#include <sndfile.h>

#include <memory>

namespace shinofu::audio {
namespace {

struct CloseSound {
    void operator()(SNDFILE* file) const { sf_close(file); }
};
struct DeleteResampler {
    void operator()(SRC_STATE* state) const { src_delete(state); }
};

constexpr sf_count_t kBlockFrames = 8192;

}  // namespace

std::optional<Sound> readSound(const std::filesystem::path& path, int rate, platform::IoError& error, double mostSeconds) {
    SF_INFO info{};
    std::unique_ptr<SNDFILE, CloseSound> file(sf_open(path.c_str(), SFM_READ, &info));
    if (!file) {
        error.message = "音声ファイルを読めません：" + path.string() + "（" + sf_strerror(nullptr) + "）";
        return std::nullopt;
    }
    if (info.channels < 1 || info.samplerate < 1000 || info.samplerate > 768000) {
        error.message = "音声ファイルの形式が扱えません：" + path.string();
        return std::nullopt;
    }
    if (static_cast<double>(info.frames) > mostSeconds * info.samplerate) {
        error.message = "音声ファイルが長すぎます（" + std::to_string(static_cast<int>(mostSeconds / 60)) + "分まで）：" + path.string();
        return std::nullopt;
    }
    int status = 0;
    std::unique_ptr<SRC_STATE, DeleteResampler> resampler(src_new(SRC_SINC_MEDIUM_QUALITY, 1, &status));
    if (!resampler) {
        error.message = std::string("音声の変換を始められません：") + src_strerror(status);
        return std::nullopt;
    }
    const double ratio = static_cast<double>(rate) / info.samplerate;
    Sound sound;
    sound.rate = rate;
    sound.samples.reserve(static_cast<size_t>(static_cast<double>(info.frames) * ratio) + 1024);
    std::vector<float> frames(static_cast<size_t>(kBlockFrames * info.channels));
    std::vector<float> mono(static_cast<size_t>(kBlockFrames));
    std::vector<float> out(static_cast<size_t>(static_cast<double>(kBlockFrames) * ratio) + 64);
    const sf_count_t most = static_cast<sf_count_t>(mostSeconds * info.samplerate);
    sf_count_t total = 0;
    for (;;) {
        const sf_count_t read = sf_readf_float(file.get(), frames.data(), kBlockFrames);
        total += read;
        if (total > most) {  // the header understated the length
            error.message = "音声ファイルが長すぎます（" + std::to_string(static_cast<int>(mostSeconds / 60)) + "分まで）：" + path.string();
            return std::nullopt;
        }
        for (sf_count_t i = 0; i < read; ++i) {
            float sum = 0;
            for (int channel = 0; channel < info.channels; ++channel) sum += frames[static_cast<size_t>(i * info.channels + channel)];
            mono[static_cast<size_t>(i)] = sum / static_cast<float>(info.channels);
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
                error.message = std::string("音声の変換に失敗しました：") + src_strerror(failed);
                return std::nullopt;
            }
            sound.samples.insert(sound.samples.end(), out.begin(), out.begin() + data.output_frames_gen);
            data.data_in += data.input_frames_used;
            data.input_frames -= data.input_frames_used;
        } while (data.input_frames > 0 || (data.end_of_input && data.output_frames_gen > 0));
        if (read < kBlockFrames) break;
    }
    return sound;
}

}  // namespace shinofu::audio
