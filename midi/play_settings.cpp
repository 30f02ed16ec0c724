#include "midi/play_settings.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "model/text_fields.h"
#include "platform/ui_text.h"

namespace shinofu::midi {
namespace {

constexpr double kMsPerQuarterAtTempoOne = 5000.0;  // 60000 ms / 12 units: play time = len × 5000 / tempo

int roundHalfAway(double value) { return static_cast<int>(std::lround(value)); }

// The notes from the first at or after the range start to the first at or after its end.
template <typename Visit>
void forRange(model::Score& score, int part, const PlaySetting& setting, Visit&& visit) {
    if (setting.rangeEndPos == setting.rangeStartPos) return;
    for (model::TNote* note = score.part(part).partHead; note && !note->isEndMarker(); note = note->next) {
        if (note->startPos < setting.rangeStartPos) continue;
        visit(*note);
        if (note->startPos >= setting.rangeEndPos) break;
    }
}

double interpolated(const PlaySetting& setting, int position) {
    return static_cast<double>(setting.endValue - setting.startValue) / (setting.rangeEndPos - setting.rangeStartPos) *
               (position - setting.rangeStartPos) +
           setting.startValue;
}

}  // namespace

void applyTempoSetting(model::Score& score, int part, const PlaySetting& setting) {
    forRange(score, part, setting, [&](model::TNote& note) {
        note.prevPlayTime = note.playTime;
        const double tempo = interpolated(setting, note.startPos) * 0.1;
        if (tempo > 0) note.playTime = roundHalfAway(note.len * kMsPerQuarterAtTempoOne / tempo);
    });
}

void applyVelocitySetting(model::Score& score, int part, const PlaySetting& setting) {
    forRange(score, part, setting, [&](model::TNote& note) {
        note.prevVelocity = note.velocity;
        note.velocity = std::clamp(roundHalfAway(interpolated(setting, note.startPos)), 0, 127);
    });
}

void resetTempo(model::Score& score, int part) {
    model::forEachNote(score.part(part).partHead, [](model::TNote& note) {
        note.playTime = note.loadedPlayTime > 0 ? note.loadedPlayTime : note.playTime;
        note.selected = false;
    });
}

std::string settingLine(const PlaySetting& setting) {
    return setting.settingName + ":" + std::to_string(setting.rangeStartPos) + ":" + std::to_string(setting.rangeEndPos) +
           "," + std::to_string(setting.startValue) + ":" + std::to_string(setting.endValue);
}

std::string settingDisplay(const PlaySetting& setting) {
    char values[48];
    std::snprintf(values, sizeof values, "%5.1f:%5.1f", setting.startValue / 10.0, setting.endValue / 10.0);
    return setting.settingName + ":" + std::to_string(setting.rangeStartPos) + ":" + std::to_string(setting.rangeEndPos) +
           "," + values;
}

std::optional<PlaySetting> parseSettingLine(const std::string& line) {
    const size_t nameEnd = line.find(':');
    const size_t startEnd = nameEnd == std::string::npos ? nameEnd : line.find(':', nameEnd + 1);
    const size_t endEnd = startEnd == std::string::npos ? startEnd : line.find(',', startEnd + 1);
    const size_t valueEnd = endEnd == std::string::npos ? endEnd : line.find(':', endEnd + 1);
    if (valueEnd == std::string::npos) return std::nullopt;
    const auto start = model::parseWholeNumber(line.substr(nameEnd + 1, startEnd - nameEnd - 1));
    const auto end = model::parseWholeNumber(line.substr(startEnd + 1, endEnd - startEnd - 1));
    const auto from = model::parseWholeNumber(line.substr(endEnd + 1, valueEnd - endEnd - 1));
    const auto to = model::parseWholeNumber(line.substr(valueEnd + 1));
    if (!start || !end || !from || !to) return std::nullopt;
    return PlaySetting{line.substr(0, nameEnd), *start, *end, *from, *to};
}

std::vector<std::string> pstLines(const PlaySettings& settings) {
    std::vector<std::string> lines;
    if (!settings.tempoSettings.empty()) lines.push_back("$tempo");
    for (const PlaySetting& setting : settings.tempoSettings) lines.push_back(settingLine(setting));
    if (!settings.velocitySettings.empty()) lines.push_back("$velo");
    for (const PlaySetting& setting : settings.velocitySettings) lines.push_back(settingLine(setting));
    return lines;
}

std::optional<PlaySettings> parsePst(const std::vector<std::string>& lines) {
    if (lines.empty() || (lines.front() != "$tempo" && lines.front() != "$velo")) return std::nullopt;
    PlaySettings settings;
    bool tempo = lines.front() == "$tempo";
    for (size_t i = 1; i < lines.size(); ++i) {
        if (!lines[i].empty() && lines[i].front() == '$') {
            tempo = false;  // the velocity section begins at the first "$" line
            continue;
        }
        if (auto setting = parseSettingLine(lines[i])) (tempo ? settings.tempoSettings : settings.velocitySettings).push_back(*setting);
    }
    return settings;
}

const std::array<const char*, 128>& instrumentNames() {
    static const std::array<const char*, 128> names = {
        UI_TEXT("ui", "Acoustic Grand Piano:ピアノ"), "Bright Acoustic Piano", "Electric Grand Piano", "Honky-tonk Piano",
        "Electric Piano 1", "Electric Piano 2", "Harpsichord", "Clavi", "Celesta", "Glockenspiel", "Music Box",
        "Vibraphone", "Marimba", "Xylophone", "Tubular Belles", "Dulcimer", "Drawbar Organ", "Percussive Organ",
        "Rock Organ", "Church Organ", "Reed Organ", "Accordion", "Harmonica", "Tango Accordion",
        UI_TEXT("ui", "Accoustic Guitar(nylon):ギター"), "Accoustic Guitar(steel)", "Electric Guitar(jazz)",
        "Electric Guitar(clean)", "Electric Guitar(muted)", "Overdriven Guitar", "Distortion Guitar",
        "Guitar Harmonics", "Acoustic Bass", "Electric Bass(finger)", "Electric Bass(pick)", "Fretless Bass",
        "Slap Bass 1", "Slap Bass 2", "Synth Bass 1", "Synth Bass 2", UI_TEXT("ui", "Violin:ヴァイオリン"), "Viola", "Cello",
        "Contrabass", "Tremolo Strings", "Pizzicato Strings", "Orchestral Harp", "Timpani", "String Ensembles 1",
        "String Ensembles 2", "SynthStrings 1", "SynthStrings 2", "Choir Aahs", "Voice Oohs", "Synth Voice",
        "Orchestra Hit", "Trumpet", "Trombone", "Tuba", "Muted Trumpet", "French Horn", "Brass Section",
        "Synth Brass 1", "Synth Brass 2", "Soprano Sax", "Alto Sax", "Tenor Sax", "Baritone Sax", "Oboe",
        "English Horn", "Bassoon", "Clarinet", "Piccolo", UI_TEXT("ui", "Flute:フルート"), UI_TEXT("ui", "Recorder:リコーダー"), "Pan Flute",
        "Blown Bottle", UI_TEXT("ui", "Shakuhachi:尺八"), "Whistle", UI_TEXT("ui", "Ocarina:オカリナ"), "Lead 1(square)", "Lead 2(sawtooth)",
        "Lead 3(calliope)", "Lead 4(chiff)", "Lead 5(charang)", "Lead 6(voice)", "Lead 7(fifths)",
        "Lead 8(bass+lead)", "Pad 1(new age)", "Pad 2(warm)", "Pad 3(polysynth)", "Pad 4(choir)", "Pad 5(bowed)",
        "Pad 6(metallic)", "Pad 7(halo)", "Pad 8(sweep)", "FX 1(rain)", "FX 2(soundtrack)", "FX 3(crystal)",
        "FX 4(atmosphere)", "FX 5(brightness)", "FX 6(goblins)", "FX 7(echoes)", "FX 8(sci-fi)", "Sitar", "Banjo",
        UI_TEXT("ui", "Shamisen:三味線"), UI_TEXT("ui", "Koto:琴"), "Kalimba", "Bag pipe", "Fiddle", "Shanai", "Tinkle Bell", "Agogo", "Steel Drums",
        "Woodblock", "Taiko Drum", "Melodic Tom", "Synth Drum", "Reverse Cymbal", "Guitar Fret Noise",
        "Breath Noise", "Seahore", "Bird Tweet", "Telephone Ring", "Helicopter", "Applause", "Gunshot"
    };
    return names;
}

std::string playTimeText(const model::Score& score, int part) {
    int64_t total = 0;
    model::forEachNote(static_cast<const model::TNote*>(score.part(part).partHead),
                       [&](const model::TNote& note) { total += note.playTime; });
    char text[32];
    std::snprintf(text, sizeof text, "%2lld:%06.3f", static_cast<long long>(total / 60000), (total % 60000) / 1000.0);
    return text;
}

}  // namespace shinofu::midi
