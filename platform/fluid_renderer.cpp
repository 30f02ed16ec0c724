#include "platform/fluid_renderer.h"

#include <fluidsynth.h>

#include "platform/fluid_midi_out.h"
#include "platform/ui_text.h"

namespace shinofu::platform {
namespace {

constexpr double kGain = 0.8;  // a file is heard on its own: louder than the synthesizer's 0.2

}  // namespace

struct FluidRenderer::Synth {
    fluid_settings_t* settings = nullptr;
    fluid_synth_t* synth = nullptr;
    ~Synth() {
        if (synth) delete_fluid_synth(synth);
        if (settings) delete_fluid_settings(settings);
    }
};

FluidRenderer::FluidRenderer() {
    for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG}) fluid_set_log_function(level, nullptr, nullptr);
    const std::string soundFont = FluidMidiOut::soundFontPath();
    if (soundFont.empty()) {
        reason_ = ui::text("ui", "サウンドフォントがありません: timgm6mb-soundfont を入れてください");
        return;
    }
    auto synth = std::make_unique<Synth>();
    synth->settings = new_fluid_settings();
    if (synth->settings) {
        fluid_settings_setnum(synth->settings, "synth.sample-rate", kSampleRate);
        fluid_settings_setnum(synth->settings, "synth.gain", kGain);
    }
    if (!synth->settings || !(synth->synth = new_fluid_synth(synth->settings)) ||
        fluid_synth_sfload(synth->synth, soundFont.c_str(), 1) == FLUID_FAILED) {
        reason_ = ui::text("ui", "シンセサイザーを開けません");
        return;
    }
    synth_ = std::move(synth);
}

FluidRenderer::~FluidRenderer() = default;

void FluidRenderer::shortMessage(uint8_t status, uint8_t data1, uint8_t data2) {
    if (!synth_) return;
    const int channel = status & 0x0F;
    switch (status & 0xF0) {
    case 0x90:
        if (data2 > 0) {
            fluid_synth_noteon(synth_->synth, channel, data1, data2);
        } else {
            fluid_synth_noteoff(synth_->synth, channel, data1);
        }
        break;
    case 0x80: fluid_synth_noteoff(synth_->synth, channel, data1); break;
    case 0xC0: fluid_synth_program_change(synth_->synth, channel, data1); break;
    case 0xB0: fluid_synth_cc(synth_->synth, channel, data1, data2); break;
    default: break;
    }
}

void FluidRenderer::reset() {
    if (synth_) fluid_synth_all_notes_off(synth_->synth, -1);
}

void FluidRenderer::render(int64_t frames, std::vector<int16_t>& samples) {
    if (!synth_ || frames <= 0) return;
    const size_t start = samples.size();
    samples.resize(start + static_cast<size_t>(frames) * 2);
    // Interleaved: left in even places, right in odd ones.
    fluid_synth_write_s16(synth_->synth, static_cast<int>(frames), samples.data() + start, 0, 2, samples.data() + start, 1, 2);
}

}  // namespace shinofu::platform
