#include "midi/smf_import.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <set>

#include "midi/note_values.h"
#include "model/key_signature.h"
#include "model/measure_spelling.h"
#include "model/score_budget.h"
#include "model/pitch_spelling.h"
#include "model/song_data_places.h"
#include "platform/ui_text.h"

namespace shinofu::midi {
namespace {

constexpr int kDrumChannel = 10;
constexpr int kUnitsPerQuarter = 12;
constexpr double kNoteOffBias = 0.01;
constexpr double kSilentNoteOnBias = 0.2;
constexpr int kMiddleCKey = 60;
constexpr int kMiddleCChromatic = 25;
constexpr int kHighestChromatic = 60;
constexpr int kOctave = 12;
constexpr int kMostUnits = model::kMostMeasures * 4 * kUnitsPerQuarter;  // that many measures of 4/4
constexpr const char* kOutOfStaffNotice = UI_TEXT("ui", "五線に書けない高さの音をオクターブ移しました");
constexpr const char* kNoNotesNotice = UI_TEXT("ui", "音符のないファイルです（空の楽譜として読み込みました）");

struct Record {
    int64_t start;
    bool rest;
    int place = 0;  // the start in length units; lengths are differences of rounded places, so that
                    // rounding never moves the notes after
    uint8_t pitch = model::kRest;
    uint8_t accidental = model::kNoAccidental;
    int chromatic = 0;  // the sound, on the staff
    int len = kUnitsPerQuarter;  // a note never closed keeps a quarter
};

// A part starts with an empty rest, so that music entering late keeps its time.
struct PartBuild {
    std::vector<Record> records{Record{0, true, 0, model::kRest, model::kNoAccidental, 0, 0}};
    int lastOpened = 0;
};

constexpr double kLongestNote = 1 << 20;  // length units (over 20 000 measures): what any file may hold

int unitsOf(int64_t ticks, int division, double bias) {
    return static_cast<int>(std::lround(std::clamp(static_cast<double>(ticks) * kUnitsPerQuarter / division + bias, 0.0, kLongestNote)));
}

int meterIndexOf(int numerator, int denominatorPower, int current, bool& unsupported) {
    if (denominatorPower == 2) {
        if (numerator == 2) return 2;
        if (numerator == 3) return 1;
        if (numerator == 4) return 0;
        return current;
    }
    if (denominatorPower == 3) {
        if (numerator == 3) return 3;
        if (numerator == 6) return 4;
        return current;
    }
    unsupported = true;
    return 0;
}

}  // namespace

std::vector<int> partChannels(const SmfFile& file) {
    std::set<int> carrying;
    for (const SmfEvent& event : file.events) {
        if ((event.status & 0xF0) == 0x90 && event.data2 > 0) carrying.insert((event.status & 0x0F) + 1);
    }
    std::vector<int> channels;
    if (std::all_of(carrying.begin(), carrying.end(), [](int c) { return c <= model::kMaxParts; })) {
        // Channels 1..6 are the parts of the same numbers, up to the highest that plays.
        const int highest = carrying.empty() ? 1 : *carrying.rbegin();
        for (int channel = 1; channel <= highest; ++channel) channels.push_back(channel);
        return channels;
    }
    const bool othersThanDrums = std::any_of(carrying.begin(), carrying.end(), [](int c) { return c != kDrumChannel; });
    for (int channel : carrying) {
        if (channel == kDrumChannel && othersThanDrums) continue;
        if (static_cast<int>(channels.size()) < model::kMaxParts) channels.push_back(channel);
    }
    return channels;
}

namespace {

// What the events say, before anything of it reaches the score.
struct ReadSong {
    std::vector<PartBuild> parts;
    std::vector<std::optional<int>> programs;
    std::optional<int> tempo;
    int meterIndex;
    int keySig;
    int64_t endOfTrack = 0;  // in file ticks: the last track's end
};

void readMeta(const SmfEvent& event, ReadSong& song, ImportReport& report) {
    const std::string& data = event.meta;
    auto byteAt = [&](size_t i) { return static_cast<uint8_t>(data[i]); };
    if (event.data1 == 0x00 && data.size() == 2) report.notices.push_back(ui::text("ui", "×シーケンス"));
    if (event.data1 == 0x51 && data.size() == 3) {
        const double microseconds = (byteAt(0) << 16) | (byteAt(1) << 8) | byteAt(2);
        if (microseconds > 0) song.tempo = static_cast<int>(std::lround(60.0 / (microseconds * 1e-6)));
    }
    if (event.data1 == 0x58 && data.size() == 4) {
        bool unsupported = false;
        song.meterIndex = meterIndexOf(byteAt(0), byteAt(1), song.meterIndex, unsupported);
        if (unsupported) report.notices.push_back(ui::text("ui", "拍子が対応していません"));
    }
    if (event.data1 == 0x2F) song.endOfTrack = std::max(song.endOfTrack, event.tick);
    if (event.data1 == 0x59 && data.size() == 2) {
        const int sharpsOrFlats = static_cast<int8_t>(byteAt(0));
        if (sharpsOrFlats >= 0 && sharpsOrFlats <= 7) song.keySig = sharpsOrFlats;
        if (sharpsOrFlats >= -7 && sharpsOrFlats <= -1) song.keySig = 7 - sharpsOrFlats;
    }
}

// A note-on opens a note (closing the rest before it); a note-off or a silent note-on closes the
// latest note of its name and opens a rest.
// A key as the chromatic number of the staff: keys the staff cannot hold come an octave (or more)
// nearer, keeping their name.
int staffChromaticOf(int key) {
    int chromatic = key - kMiddleCKey + kMiddleCChromatic;
    while (chromatic < 1) chromatic += kOctave;
    while (chromatic > kHighestChromatic) chromatic -= kOctave;
    return chromatic;
}

void readNote(const SmfEvent& event, int division, int keySig, PartBuild& part, ImportReport& report) {
    const int kind = event.status & 0xF0;
    const int64_t now = event.tick;
    const int chromatic = staffChromaticOf(event.data1);
    if (kind == 0x90 && event.data2 > 0 && chromatic != event.data1 - kMiddleCKey + kMiddleCChromatic) {
        report.noteOnce(kOutOfStaffNotice);
    }
    // The name matches note-offs to their notes; the written form is chosen once the bar lines are known.
    const model::WrittenNote named = model::writtenForm(chromatic, keySig);
    auto open = [&](Record record) {
        part.records.push_back(record);
        part.lastOpened = static_cast<int>(part.records.size()) - 1;
    };
    if (kind == 0x90 && event.data2 > 0) {
        if (part.lastOpened >= 0 && part.records[static_cast<size_t>(part.lastOpened)].rest) {
            Record& rest = part.records[static_cast<size_t>(part.lastOpened)];
            rest.len = std::max(0, unitsOf(now, division, 0) - rest.place);
        }
        open({now, false, unitsOf(now, division, 0), named.pitch, named.accidental, chromatic});
        return;
    }
    const bool noteOff = kind == 0x80;
    for (int i = part.lastOpened; i >= 0; --i) {
        Record& record = part.records[static_cast<size_t>(i)];
        if (record.rest || record.pitch != named.pitch || (noteOff && record.accidental != named.accidental)) continue;
        record.len = std::max(0, unitsOf(now, division, noteOff ? kNoteOffBias : kSilentNoteOnBias) - record.place);
        break;
    }
    Record rest{now, true, unitsOf(now, division, noteOff ? kNoteOffBias : kSilentNoteOnBias)};
    rest.len = 0;
    open(rest);
}

// Every note written in the key so that it sounds the key the file struck, signs placed by what
// the measure already carries.
void spellPart(model::Score& score, int part) {
    model::MeasureSpelling spelling(score.song.keySig, score.measureLen());
    for (model::TNote* note = score.part(part).partHead; note && !note->isEndMarker(); note = note->next) {
        if (model::isStaffPitch(note->pitch) && note->midiNote >= 0) {
            const model::WrittenNote written = spelling.spell(note->midiNote - kMiddleCKey + kMiddleCChromatic);
            note->pitch = written.pitch;
            note->accidental = written.accidental;
            note->semitone = model::semitoneOfPitch(note->pitch, score.song.keySig);
        }
        spelling.advance(note->len);
    }
}

// The part's records as notes and rests; the empty rests between touching notes, and any gap of a
// unit or less, go.
void buildPart(model::Score& score, int part, const PartBuild& build) {
    model::TNote* end = score.part(part).partHead;  // a fresh part holds only its end marker
    for (const Record& record : build.records) {
        if (record.len <= 1) continue;
        model::TNote* note = insertNoteBefore(score, part, *end);
        note->pitch = record.rest ? model::kRest : record.pitch;
        note->accidental = record.rest ? uint8_t{model::kNoAccidental} : record.accidental;
        note->midiNote = record.rest ? -1 : record.chromatic + kMiddleCKey - kMiddleCChromatic;
        note->semitone = model::semitoneOfPitch(note->pitch, score.song.keySig);
        note->stemUp = note->pitch <= 20;
        note->len = record.len;
        note->playTime = model::playTimeFor(record.len, score.song.msPerUnit);
        note->loadedPlayTime = note->playTime;
    }
    settleNoteValues(score, part);
    spellPart(score, part);
}

// The end of the track closes the rest each part ends with; then every part is filled with rests
// to the end of the last measure any part reaches.
void closeParts(ReadSong& song, int division, int measureLen) {
    int longest = 0;
    std::vector<int> totals;
    for (PartBuild& part : song.parts) {
        Record& last = part.records[static_cast<size_t>(part.lastOpened)];
        if (last.rest && song.endOfTrack > last.start) last.len = std::max(0, unitsOf(song.endOfTrack, division, 0) - last.place);
        // A gap or blip of a unit is not written; its time goes to what sounds before it, so that
        // what follows keeps its place.
        Record* kept = nullptr;
        for (Record& record : part.records) {
            if (record.len > 1) {
                kept = &record;
            } else if (kept) {
                kept->len += record.len;
                record.len = 0;
            }
        }
        int total = 0;
        for (const Record& record : part.records) total += record.len > 1 ? record.len : 0;
        totals.push_back(total);
        longest = std::max(longest, total);
    }
    if (measureLen <= 0) return;
    const int end = (longest + measureLen - 1) / measureLen * measureLen;
    for (size_t i = 0; i < song.parts.size(); ++i) {
        if (end - totals[i] > 1) song.parts[i].records.push_back({0, true, totals[i], model::kRest, model::kNoAccidental, 0, end - totals[i]});
    }
}

void applySong(model::Score& score, const ReadSong& song) {
    if (song.tempo) {
        score.setTempo(*song.tempo);
        score.song.tempoText = std::to_string(score.song.tempo);
    }
    score.song.meterIndex = static_cast<uint8_t>(song.meterIndex);
    score.song.keySig = static_cast<uint8_t>(song.keySig);
    for (size_t i = 0; i < song.programs.size(); ++i) {
        if (song.programs[i]) score.part(static_cast<int>(i) + 1).instrument = *song.programs[i];
    }
}

}  // namespace

ImportReport importSmf(const SmfFile& file, model::Score& score, const std::string& title, const ImportProgress& progress) {
    constexpr size_t kProgressEvery = 1 << 16;
    ImportReport report;
    const std::vector<int> channels = partChannels(file);
    std::array<int, 16> partOf{};
    partOf.fill(-1);
    for (size_t i = 0; i < channels.size(); ++i) partOf[static_cast<size_t>(channels[i] - 1)] = static_cast<int>(i);
    // What the file says goes to the score only once every event was read: a cancel leaves it whole.
    ReadSong song{std::vector<PartBuild>(channels.size()), std::vector<std::optional<int>>(channels.size()), std::nullopt,
                  score.song.meterIndex, score.song.keySig};
    for (size_t index = 0; index < file.events.size(); ++index) {
        const SmfEvent& event = file.events[index];
        if (progress && index % kProgressEvery == 0 && !progress(static_cast<double>(index) / file.events.size())) {
            report.cancelled = true;
            return report;
        }
        if (event.status == 0xFF) {
            readMeta(event, song, report);
            continue;
        }
        const int part = partOf[event.status & 0x0F];
        const int kind = event.status & 0xF0;
        if (part < 0) continue;
        if (kind == 0xC0) song.programs[static_cast<size_t>(part)] = event.data1;
        if (kind != 0x80 && kind != 0x90) continue;
        PartBuild& build = song.parts[static_cast<size_t>(part)];
        readNote(event, file.division, song.keySig, build, report);
        // Checked while reading: a few bytes of delta time can stand for years of rests.
        if (unitsOf(event.tick, file.division, 0) > kMostUnits) report.refusal = model::tooManyMeasuresMessage();
        if (static_cast<int>(build.records.size()) > model::kMostNotesPerPart) report.refusal = model::tooManyNotesMessage();
        if (report.refusal) return report;
    }

    // A valid file that sounds nothing is read as what it is, an empty score, and said so.
    if (std::none_of(file.events.begin(), file.events.end(),
                     [](const SmfEvent& e) { return (e.status & 0xF0) == 0x90 && e.data2 > 0; })) {
        report.noteOnce(kNoNotesNotice);
    }
    score.clearParts();
    applySong(score, song);
    closeParts(song, file.division, score.measureLen());
    score.partCount = std::max<int>(1, static_cast<int>(song.parts.size()));
    score.curPart = 1;
    for (int part = 1; part <= score.partCount; ++part) {
        score.part(part).visible = true;
        score.part(part).displaySlot = part;
        if (part <= static_cast<int>(song.parts.size())) buildPart(score, part, song.parts[static_cast<size_t>(part - 1)]);
    }
    score.fixedSymbol(model::kTitleSymbol).text = title;
    score.fixedSymbol(model::kLyricistSymbol).text.clear();
    score.fixedSymbol(model::kComposerSymbol).text.clear();
    model::placeTempoSymbols(score, true);
    score.recomputePositions();
    return report;
}

}  // namespace shinofu::midi
