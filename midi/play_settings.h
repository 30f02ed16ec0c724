// Playback settings of a part: tempo and velocity curves over ranges of notes, interpolated in a
// straight line, kept as named settings and in ".pst" files; the instrument names.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "model/score.h"

namespace shinofu::midi {

struct PlaySetting {
    std::string settingName;
    int32_t rangeStartPos = 0;  // startPos of the range's first note
    int32_t rangeEndPos = 0;    // startPos of its last note
    int32_t startValue = 0;     // tempo × 10, or velocity 1..127
    int32_t endValue = 0;
    bool operator==(const PlaySetting&) const = default;
};

struct PlaySettings {
    std::vector<PlaySetting> tempoSettings;
    std::vector<PlaySetting> velocitySettings;
    bool operator==(const PlaySettings&) const = default;
};

// Rewrites the play times (tempo) or velocities of the part's notes in the setting's range; a
// range whose ends are equal changes nothing. Each note keeps its previous value for undo.
void applyTempoSetting(model::Score& score, int part, const PlaySetting& setting);
void applyVelocitySetting(model::Score& score, int part, const PlaySetting& setting);

// Every note of the part back to the play time its file gave it.
void resetTempo(model::Score& score, int part);

// The ".pst" lines: "$tempo" and its settings, "$velo" and its settings, each section only when it has any.
std::vector<std::string> pstLines(const PlaySettings& settings);
// Reads ".pst" lines; nothing when the first line starts neither section. Lines that do not parse
// are skipped.
std::optional<PlaySettings> parsePst(const std::vector<std::string>& lines);
// "A:0:96,600:1200", or nothing when the four numbers are not all integers.
std::optional<PlaySetting> parseSettingLine(const std::string& line);
std::string settingLine(const PlaySetting& setting);
// The list's text of a setting: values divided by 10, five wide with one decimal.
std::string settingDisplay(const PlaySetting& setting);

// The General MIDI program names the instrument list shows, some with a Japanese name.
const std::array<const char*, 128>& instrumentNames();

// The sum of the part's play times as " m:ss.sss".
std::string playTimeText(const model::Score& score, int part);

}  // namespace shinofu::midi
