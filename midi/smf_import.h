// "MIDIファイル読み込み": a Standard MIDI File as a new score. Each note-carrying channel becomes a
// part (channels 1..6 as themselves; files that use others give their first six, drums last),
// note-ons in the order they start, rests from the gaps, lengths in units rounded, notes cut and
// tied at bar lines and into single note values, triplet runs grouped; tempo, meter, key and
// programs from the file, pitches spelled in the key.
#pragma once

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "midi/smf_reader.h"
#include "model/score.h"

namespace shinofu::midi {

struct ImportReport {
    std::vector<std::string> notices;  // "拍子が対応していません", "×シーケンス"
    bool cancelled = false;            // the score was left as it was
    std::optional<std::string> refusal;  // why the file was not read (too large); the score was left as it was

    void noteOnce(const std::string& notice) {
        if (std::find(notices.begin(), notices.end(), notice) == notices.end()) notices.push_back(notice);
    }
};

// Called now and then with the share of the events read; returning false cancels the import.
using ImportProgress = std::function<bool(double done)>;

// Builds the score from a file already read; the score's previous contents are replaced, unless
// the import is cancelled before the events are all read.
ImportReport importSmf(const SmfFile& file, model::Score& score, const std::string& title,
                       const ImportProgress& progress = {});

// The channels that become parts 1.. (1-based channel numbers).
std::vector<int> partChannels(const SmfFile& file);

}  // namespace shinofu::midi
