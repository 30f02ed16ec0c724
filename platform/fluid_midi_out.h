// The MIDI output with real devices: device 0 is a built-in FluidSynth synthesizer playing a
// General MIDI SoundFont through the desktop's audio; further devices are the writable ALSA
// sequencer ports (external synthesizers, hardware). The synthesizer is prepared on a thread of
// its own, so opening never holds up the window; until it is ready, messages are dropped.
#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/midi_out.h"

namespace shinofu::platform {

class FluidMidiOut : public MidiOut {
public:
    FluidMidiOut();
    ~FluidMidiOut() override;

    std::vector<std::string> deviceNames() const override;
    bool open(int device) override;
    void shortMessage(uint8_t status, uint8_t data1, uint8_t data2) override;
    void reset() override;
    void close() override;
    std::string silenceReason() const override;

    // The SoundFont the synthesizer loads: FluidR3 when installed, else TimGM6mb, else none.
    static std::string soundFontPath();

private:
    struct Synth;
    struct Sequencer;
    void prepareSynth();

    mutable std::mutex mutex_;
    std::unique_ptr<Synth> synth_;
    std::unique_ptr<Sequencer> sequencer_;
    std::vector<std::string> portNames_;
    std::vector<std::pair<int, int>> ports_;  // ALSA client and port of devices 1..
    std::string reason_;
    std::thread preparing_;
};

}  // namespace shinofu::platform
