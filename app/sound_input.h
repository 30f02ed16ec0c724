// Sound coming in for the tuner: the chosen input device through Qt Multimedia, or a sound file fed
// into the same path at the pace it was recorded (to check a recording, and for tests).
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <vector>

class QAudioFormat;
class QAudioSource;
class QIODevice;
class QTimer;

namespace shinofu::app {

// An input device as the settings keep it: its identifier, and the name a user sees.
struct InputDevice {
    QByteArray id;
    QString description;
};

// The whole frames at the front of the bytes as mono samples (-1..1, every channel mixed), taken from
// them: a frame the device has not finished delivering stays for the next read.
std::vector<float> takeMonoFrames(QByteArray& bytes, const QAudioFormat& format);

class SoundInput : public QObject {
public:
    // Called on the window's thread with each block of mono samples as it arrives.
    using Take = std::function<void(std::span<const float> samples)>;

    explicit SoundInput(QObject* parent = nullptr);
    ~SoundInput() override;

    // Every input in place of the devices: the program's --audio-input option, else SHINOFU_AUDIO_INPUT.
    static void useFile(std::optional<std::filesystem::path> file);
    static const std::optional<std::filesystem::path>& file();
    static std::vector<InputDevice> devices();

    // Starts the file when one is used, else the device with the identifier (the system's default
    // when empty or gone); false, with the reason in error(), when there is nothing to hear.
    bool start(const QByteArray& deviceId, Take take);
    void stop();
    bool running() const { return running_; }
    // A file has been fed to its end (a device never ends).
    bool exhausted() const { return clock_ && running_ && fed_ == samples_.size(); }
    int rate() const { return rate_; }
    const QString& error() const { return error_; }
    // What is heard: the device's name or the file's.
    const QString& source() const { return source_; }

private:
    bool startFile(const std::filesystem::path& path);
    bool startDevice(const QByteArray& deviceId);
    void feedFile();
    void readDevice();

    Take take_;
    bool running_ = false;
    int rate_ = 0;
    QString error_;
    QString source_;
    // The device.
    std::unique_ptr<QAudioSource> audio_;
    QIODevice* stream_ = nullptr;
    QByteArray pending_;  // the device's bytes of a frame not yet whole
    // The file.
    QTimer* clock_ = nullptr;
    QElapsedTimer elapsed_;
    std::vector<float> samples_;
    size_t fed_ = 0;
};

}  // namespace shinofu::app
