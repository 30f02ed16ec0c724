// The built-in synthesizer without an audio device: it takes MIDI messages and renders its sound
// into 16-bit stereo samples on demand, as fast as the machine allows.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/midi_out.h"

namespace shinofu::platform {

class FluidRenderer : public MidiOut {
public:
    static constexpr int kSampleRate = 44100;

    FluidRenderer();
    ~FluidRenderer() override;

    std::vector<std::string> deviceNames() const override { return {"FluidSynth (render)"}; }
    bool open(int) override { return ready(); }
    void shortMessage(uint8_t status, uint8_t data1, uint8_t data2) override;
    void reset() override;
    void close() override {}
    std::string silenceReason() const override { return reason_; }

    bool ready() const { return synth_ != nullptr; }
    // Appends `frames` frames of interleaved left/right samples.
    void render(int64_t frames, std::vector<int16_t>& samples);

private:
    struct Synth;
    std::unique_ptr<Synth> synth_;
    std::string reason_;
};

}  // namespace shinofu::platform
