// The MIDI output: a device list, open, three-byte short messages, reset and close.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/ui_text.h"

namespace shinofu::platform {

// The reason given while the built-in synthesizer is still getting ready (it sounds soon).
constexpr const char* kSynthPreparing = UI_TEXT("ui", "シンセサイザーを準備中…");

class MidiOut {
public:
    virtual ~MidiOut() = default;
    virtual std::vector<std::string> deviceNames() const = 0;
    virtual bool open(int device) = 0;
    virtual void shortMessage(uint8_t status, uint8_t data1, uint8_t data2) = 0;
    virtual void reset() = 0;
    virtual void close() = 0;
    // Why nothing sounds, for the status bar; empty when a device plays.
    virtual std::string silenceReason() const = 0;
};

// Keeps everything running without sound.
class NullMidiOut : public MidiOut {
public:
    explicit NullMidiOut(std::string reason) : reason_(std::move(reason)) {}
    std::vector<std::string> deviceNames() const override { return {}; }
    bool open(int) override { return true; }
    void shortMessage(uint8_t, uint8_t, uint8_t) override {}
    void reset() override {}
    void close() override {}
    std::string silenceReason() const override { return reason_; }

private:
    std::string reason_;
};

}  // namespace shinofu::platform
