#include "platform/fluid_midi_out.h"

#include "platform/ui_text.h"

#include <alsa/asoundlib.h>
#include <fluidsynth.h>

#include <filesystem>

namespace shinofu::platform {
namespace {

constexpr const char* kBuiltInName = UI_TEXT("ui", "内蔵シンセサイザー（FluidSynth）");
constexpr int kAllNotesOff = 123;
constexpr int kChannels = 16;

// The libraries' own diagnostics go to the terminal; what matters reaches the status bar as the reason.
void quietAlsa(const char*, int, const char*, int, const char*, ...) {}

}  // namespace

struct FluidMidiOut::Synth {
    fluid_settings_t* settings = nullptr;
    fluid_synth_t* synth = nullptr;
    fluid_audio_driver_t* driver = nullptr;
    ~Synth() {
        if (driver) delete_fluid_audio_driver(driver);
        if (synth) delete_fluid_synth(synth);
        if (settings) delete_fluid_settings(settings);
    }
};

struct FluidMidiOut::Sequencer {
    snd_seq_t* handle = nullptr;
    int port = -1;
    int target = -1;  // index into ports_ of the connected device, -1 when none
    ~Sequencer() {
        if (handle) snd_seq_close(handle);
    }
    void send(snd_seq_event_t& event) const {
        snd_seq_ev_set_source(&event, port);
        snd_seq_ev_set_subs(&event);
        snd_seq_ev_set_direct(&event);
        snd_seq_event_output_direct(handle, &event);
    }
};

std::string FluidMidiOut::soundFontPath() {
    for (const char* candidate : {"/usr/share/sounds/sf2/FluidR3_GM.sf2", "/usr/share/sounds/sf2/TimGM6mb.sf2",
                                  "/usr/share/sounds/sf2/default-GM.sf2"}) {
        std::error_code error;
        if (std::filesystem::exists(candidate, error)) return candidate;
    }
    return {};
}

FluidMidiOut::FluidMidiOut() : sequencer_(std::make_unique<Sequencer>()) {
    snd_lib_error_set_handler(quietAlsa);
    for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG}) fluid_set_log_function(level, nullptr, nullptr);
    // The writable sequencer ports are the further devices, as their names say.
    if (snd_seq_open(&sequencer_->handle, "default", SND_SEQ_OPEN_OUTPUT, 0) < 0) {
        sequencer_->handle = nullptr;
        return;
    }
    snd_seq_set_client_name(sequencer_->handle, "Shinofu");
    sequencer_->port = snd_seq_create_simple_port(sequencer_->handle, "Shinofu out", SND_SEQ_PORT_CAP_READ | SND_SEQ_PORT_CAP_SUBS_READ,
                                                  SND_SEQ_PORT_TYPE_MIDI_GENERIC | SND_SEQ_PORT_TYPE_APPLICATION);
    snd_seq_client_info_t* client;
    snd_seq_port_info_t* port;
    snd_seq_client_info_alloca(&client);
    snd_seq_port_info_alloca(&port);
    snd_seq_client_info_set_client(client, -1);
    while (snd_seq_query_next_client(sequencer_->handle, client) >= 0) {
        const int id = snd_seq_client_info_get_client(client);
        if (id == snd_seq_client_id(sequencer_->handle) || id == SND_SEQ_CLIENT_SYSTEM) continue;
        snd_seq_port_info_set_client(port, id);
        snd_seq_port_info_set_port(port, -1);
        while (snd_seq_query_next_port(sequencer_->handle, port) >= 0) {
            const unsigned caps = snd_seq_port_info_get_capability(port);
            if ((caps & (SND_SEQ_PORT_CAP_WRITE | SND_SEQ_PORT_CAP_SUBS_WRITE)) != (SND_SEQ_PORT_CAP_WRITE | SND_SEQ_PORT_CAP_SUBS_WRITE)) continue;
            ports_.emplace_back(id, snd_seq_port_info_get_port(port));
            portNames_.push_back(std::string(snd_seq_client_info_get_name(client)) + ": " + snd_seq_port_info_get_name(port));
        }
    }
}

FluidMidiOut::~FluidMidiOut() {
    if (preparing_.joinable()) preparing_.join();
    close();
}

std::vector<std::string> FluidMidiOut::deviceNames() const {
    std::vector<std::string> names = {ui::text("ui", kBuiltInName)};
    names.insert(names.end(), portNames_.begin(), portNames_.end());
    return names;
}

void FluidMidiOut::prepareSynth() {
    auto synth = std::make_unique<Synth>();
    std::string reason;
    const std::string soundFont = soundFontPath();
    synth->settings = new_fluid_settings();
    if (soundFont.empty()) {
        reason = ui::text("ui", "サウンドフォントがありません（音は鳴りません）: timgm6mb-soundfont を入れてください");
    } else if (!synth->settings || !(synth->synth = new_fluid_synth(synth->settings)) ||
               fluid_synth_sfload(synth->synth, soundFont.c_str(), 1) == FLUID_FAILED) {
        reason = ui::text("ui", "シンセサイザーを開けません（音は鳴りません）");
    } else {
        // PulseAudio (or PipeWire's Pulse server) first, then ALSA directly.
        for (const char* driver : {"pulseaudio", "alsa"}) {
            fluid_settings_setstr(synth->settings, "audio.driver", driver);
            synth->driver = new_fluid_audio_driver(synth->settings, synth->synth);
            if (synth->driver) break;
        }
        if (!synth->driver) reason = ui::text("ui", "音声出力を開けません（音は鳴りません）");
    }
    std::lock_guard lock(mutex_);
    reason_ = reason;
    if (reason.empty()) synth_ = std::move(synth);
}

bool FluidMidiOut::open(int device) {
    if (device == 0) {
        {
            std::lock_guard lock(mutex_);
            reason_ = ui::text("ui", kSynthPreparing);
        }
        if (preparing_.joinable()) preparing_.join();
        preparing_ = std::thread([this] { prepareSynth(); });
        return true;
    }
    std::lock_guard lock(mutex_);
    const size_t index = static_cast<size_t>(device - 1);
    if (!sequencer_->handle || index >= ports_.size() ||
        snd_seq_connect_to(sequencer_->handle, sequencer_->port, ports_[index].first, ports_[index].second) < 0) {
        reason_ = ui::text("ui", "MIDI出力を開けません（音は鳴りません）");
        return false;
    }
    sequencer_->target = static_cast<int>(index);
    reason_.clear();
    return true;
}

void FluidMidiOut::shortMessage(uint8_t status, uint8_t data1, uint8_t data2) {
    std::lock_guard lock(mutex_);
    const int channel = status & 0x0F;
    const int kind = status & 0xF0;
    if (synth_) {
        fluid_synth_t* synth = synth_->synth;
        if (kind == 0x90 && data2 > 0) fluid_synth_noteon(synth, channel, data1, data2);
        if ((kind == 0x90 && data2 == 0) || kind == 0x80) fluid_synth_noteoff(synth, channel, data1);
        if (kind == 0xC0) fluid_synth_program_change(synth, channel, data1);
        if (kind == 0xB0) fluid_synth_cc(synth, channel, data1, data2);
    }
    if (sequencer_->handle && sequencer_->target >= 0) {
        snd_seq_event_t event;
        snd_seq_ev_clear(&event);
        if (kind == 0x90) snd_seq_ev_set_noteon(&event, channel, data1, data2);
        if (kind == 0x80) snd_seq_ev_set_noteoff(&event, channel, data1, data2);
        if (kind == 0xC0) snd_seq_ev_set_pgmchange(&event, channel, data1);
        if (kind == 0xB0) snd_seq_ev_set_controller(&event, channel, data1, data2);
        if (kind == 0x90 || kind == 0x80 || kind == 0xC0 || kind == 0xB0) sequencer_->send(event);
    }
}

void FluidMidiOut::reset() {
    std::lock_guard lock(mutex_);
    if (synth_) fluid_synth_all_notes_off(synth_->synth, -1);
    if (sequencer_->handle && sequencer_->target >= 0) {
        for (int channel = 0; channel < kChannels; ++channel) {
            snd_seq_event_t event;
            snd_seq_ev_clear(&event);
            snd_seq_ev_set_controller(&event, channel, kAllNotesOff, 0);
            sequencer_->send(event);
        }
    }
}

void FluidMidiOut::close() {
    if (preparing_.joinable()) preparing_.join();
    std::lock_guard lock(mutex_);
    synth_.reset();
    sequencer_->target = -1;
}

std::string FluidMidiOut::silenceReason() const {
    std::lock_guard lock(mutex_);
    return reason_;
}

}  // namespace shinofu::platform
