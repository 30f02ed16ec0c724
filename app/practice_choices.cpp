#include "app/practice_choices.h"

#include <QSettings>
#include <algorithm>

#include "audio/tuner.h"
#include "platform/paths.h"

namespace shinofu::app {
namespace {

QString practicePath() { return QString::fromStdString(platform::Paths::companionFile(".practice").string()); }

}  // namespace

PracticeChoices readPracticeChoices() {
    QSettings file(practicePath(), QSettings::IniFormat);
    PracticeChoices choices;
    midi::PracticeSettings& playback = choices.playback;
    playback.loop = file.value("playback/loop", playback.loop).toBool();
    playback.countIn = file.value("playback/countIn", playback.countIn).toBool();
    playback.click = file.value("playback/click", playback.click).toBool();
    playback.clickVolume = std::clamp(file.value("playback/clickVolume", playback.clickVolume).toInt(), 1, 127);
    choices.referencePitch = std::clamp(file.value("tuner/reference", choices.referencePitch).toInt(),
                                        static_cast<int>(audio::kLowestReference), static_cast<int>(audio::kHighestReference));
    choices.inputDevice = file.value("input/device").toByteArray();
    choices.accompaniment = static_cast<midi::Accompaniment>(std::clamp(file.value("playAlong/accompaniment", 0).toInt(), 0, 2));
    return choices;
}

bool writePracticeChoices(const PracticeChoices& choices) {
    QSettings file(practicePath(), QSettings::IniFormat);
    file.setValue("playback/loop", choices.playback.loop);
    file.setValue("playback/countIn", choices.playback.countIn);
    file.setValue("playback/click", choices.playback.click);
    file.setValue("playback/clickVolume", choices.playback.clickVolume);
    file.setValue("tuner/reference", choices.referencePitch);
    file.setValue("input/device", choices.inputDevice);
    file.setValue("playAlong/accompaniment", static_cast<int>(choices.accompaniment));
    file.sync();
    return file.status() == QSettings::NoError;
}

}  // namespace shinofu::app
