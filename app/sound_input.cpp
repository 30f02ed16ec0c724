#include "app/sound_input.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSource>
#include <QMediaDevices>
#include <QTimer>
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "app/qt_ui_text.h"
#include "audio/sound_file.h"
#include "platform/file_io.h"

namespace shinofu::app {
namespace {

constexpr int kRate = 44100;
constexpr int kFeedMilliseconds = 10;  // how often the file hands on what has been "heard" since

std::optional<std::filesystem::path>& chosenFile() {
    static std::optional<std::filesystem::path> file = [] {
        const char* named = std::getenv("SHINOFU_AUDIO_INPUT");
        return named && *named ? std::optional<std::filesystem::path>(named) : std::nullopt;
    }();
    return file;
}

// One sample of the device's format as -1..1.
float sampleAt(const char* data, QAudioFormat::SampleFormat format) {
    switch (format) {
    case QAudioFormat::UInt8: return (static_cast<unsigned char>(*data) - 128) / 128.0f;
    case QAudioFormat::Int16: {
        int16_t value;
        std::memcpy(&value, data, sizeof value);
        return value / 32768.0f;
    }
    case QAudioFormat::Int32: {
        int32_t value;
        std::memcpy(&value, data, sizeof value);
        return static_cast<float>(value / 2147483648.0);
    }
    case QAudioFormat::Float: {
        float value;
        std::memcpy(&value, data, sizeof value);
        return value;
    }
    default: return 0;
    }
}

}  // namespace

std::vector<float> takeMonoFrames(QByteArray& bytes, const QAudioFormat& format) {
    const int size = format.bytesPerSample();
    const int channels = std::max(1, format.channelCount());
    if (size <= 0) return {};
    const qsizetype frames = bytes.size() / (size * channels);
    std::vector<float> mono(static_cast<size_t>(frames), 0.0f);
    for (qsizetype frame = 0; frame < frames; ++frame) {
        float sum = 0;
        for (int channel = 0; channel < channels; ++channel) {
            sum += sampleAt(bytes.constData() + (frame * channels + channel) * size, format.sampleFormat());
        }
        mono[static_cast<size_t>(frame)] = sum / static_cast<float>(channels);
    }
    bytes.remove(0, frames * size * channels);
    return mono;
}

SoundInput::SoundInput(QObject* parent) : QObject(parent) {}

SoundInput::~SoundInput() { stop(); }

void SoundInput::useFile(std::optional<std::filesystem::path> file) { chosenFile() = std::move(file); }

const std::optional<std::filesystem::path>& SoundInput::file() { return chosenFile(); }

std::vector<InputDevice> SoundInput::devices() {
    std::vector<InputDevice> found;
    for (const QAudioDevice& device : QMediaDevices::audioInputs()) found.push_back({device.id(), device.description()});
    return found;
}

bool SoundInput::start(const QByteArray& deviceId, Take take) {
    stop();
    take_ = std::move(take);
    error_.clear();
    running_ = file() ? startFile(*file()) : startDevice(deviceId);
    return running_;
}

void SoundInput::stop() {
    running_ = false;
    if (clock_) clock_->stop();
    if (audio_) {
        audio_->stop();
        audio_.reset();
        stream_ = nullptr;
    }
}

bool SoundInput::startFile(const std::filesystem::path& path) {
    platform::IoError error;
    std::optional<audio::Sound> sound = audio::readSound(path, kRate, error);
    if (!sound) {
        error_ = QString::fromStdString(error.message);
        return false;
    }
    samples_ = std::move(sound->samples);
    fed_ = 0;
    rate_ = kRate;
    source_ = QString::fromStdString(path.filename().string());
    if (!clock_) {
        clock_ = new QTimer(this);
        clock_->setInterval(kFeedMilliseconds);
        connect(clock_, &QTimer::timeout, this, [this] { feedFile(); });
    }
    elapsed_.start();
    clock_->start();
    return true;
}

void SoundInput::feedFile() {
    const auto due = std::min(samples_.size(), static_cast<size_t>(elapsed_.elapsed()) * kRate / 1000);
    if (due > fed_) {
        const std::span<const float> block(samples_.data() + fed_, due - fed_);
        fed_ = due;
        if (take_) take_(block);
    }
    // The file's end is silence from then on, as when a player stops.
    if (fed_ == samples_.size()) {
        const std::vector<float> quiet(kRate * kFeedMilliseconds / 1000, 0.0f);
        if (take_) take_(quiet);
    }
}

bool SoundInput::startDevice(const QByteArray& deviceId) {
    const QList<QAudioDevice> inputs = QMediaDevices::audioInputs();
    if (inputs.isEmpty()) {
        error_ = ui::qtext("ui", "音声入力の装置がありません");
        return false;
    }
    QAudioDevice device = QMediaDevices::defaultAudioInput();
    for (const QAudioDevice& input : inputs) {
        if (input.id() == deviceId) device = input;
    }
    if (device.isNull()) device = inputs.front();
    QAudioFormat format;
    format.setSampleRate(kRate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Float);
    if (!device.isFormatSupported(format)) format = device.preferredFormat();
    audio_ = std::make_unique<QAudioSource>(device, format);
    stream_ = audio_->start();
    if (!stream_ || audio_->error() != QAudio::NoError) {
        error_ = ui::qtext("ui", "音声入力の装置を開けません: ") + device.description();
        audio_.reset();
        stream_ = nullptr;
        return false;
    }
    rate_ = format.sampleRate();
    pending_.clear();
    source_ = device.description();
    connect(stream_, &QIODevice::readyRead, this, [this] { readDevice(); });
    return true;
}

void SoundInput::readDevice() {
    if (!stream_ || !audio_) return;
    pending_ += stream_->readAll();
    const std::vector<float> block = takeMonoFrames(pending_, audio_->format());
    if (take_ && !block.empty()) take_(block);
}

}  // namespace shinofu::app
