#include "midi/smf_reader.h"

#include "platform/ui_text.h"

#include <algorithm>

namespace shinofu::midi {
namespace {

constexpr const char* kNotMidi = UI_TEXT("ui", "MIDIファイルではありません");
// What is not supported follows in brackets.
constexpr const char* kFormatTwo = UI_TEXT("ui", "このファイルはサポートしていません（フォーマット2：独立した複数の曲）");
constexpr const char* kTimeCode = UI_TEXT("ui", "このファイルはサポートしていません（SMPTEタイムコードの時間単位）");
constexpr const char* kNoTrack = UI_TEXT("ui", "このファイルはサポートしていません（トラックがありません）");
constexpr const char* kTruncated = UI_TEXT("ui", "MIDIファイルが途中で切れています");
constexpr const char* kBroken = UI_TEXT("ui", "MIDIファイルが壊れています");
constexpr const char* kZeroDivision = UI_TEXT("ui", "MIDIファイルの分解能が０です");
constexpr const char* kCrowded = UI_TEXT("ui", "同じ時刻のイベントが多すぎるMIDIファイルです");
constexpr int kMaxQuantityBytes = 4;
constexpr size_t kMaxEventsAtOneTick = 1 << 16;  // no music sounds this much at once; a file that does is made to hurt

class Bytes {
public:
    Bytes(const std::string& data, size_t begin, size_t end) : data_(data), at_(begin), end_(end) {}
    bool done() const { return at_ >= end_; }
    bool has(size_t count) const { return end_ - at_ >= count && at_ <= end_; }
    uint8_t byte() { return static_cast<uint8_t>(data_[at_++]); }
    uint32_t big(int count) {
        uint32_t value = 0;
        for (int i = 0; i < count; ++i) value = value << 8 | byte();
        return value;
    }
    std::optional<uint32_t> quantity() {
        uint32_t value = 0;
        for (int i = 0; i < kMaxQuantityBytes; ++i) {
            if (done()) return std::nullopt;
            const uint8_t next = byte();
            value = value << 7 | (next & 0x7F);
            if (!(next & 0x80)) return value;
        }
        return std::nullopt;
    }
    std::string take(size_t count) {
        std::string taken = data_.substr(at_, count);
        at_ += count;
        return taken;
    }
    size_t at() const { return at_; }

private:
    const std::string& data_;
    size_t at_;
    size_t end_;
};

// One track's events into `events`; an error text when the track cannot be read.
std::optional<std::string> readTrack(Bytes track, std::vector<SmfEvent>& events) {
    int64_t tick = 0;
    uint8_t running = 0;
    while (!track.done()) {
        const std::optional<uint32_t> delta = track.quantity();
        if (!delta || track.done()) return ui::text("ui", kTruncated);
        tick += *delta;
        uint8_t status = track.byte();
        std::optional<uint8_t> firstData;
        if (status < 0x80) {
            // Running status: the status of the last channel message goes on, this is its first data byte.
            if (running == 0) return ui::text("ui", kBroken);
            firstData = status;
            status = running;
        }
        if (status == 0xFF) {
            if (track.done()) return ui::text("ui", kTruncated);
            const uint8_t type = track.byte();
            const std::optional<uint32_t> length = track.quantity();
            if (!length || !track.has(*length)) return ui::text("ui", kTruncated);
            events.push_back({tick, status, type, 0, track.take(*length)});
            continue;
        }
        if (status == 0xF0 || status == 0xF7) {
            running = 0;
            const std::optional<uint32_t> length = track.quantity();
            if (!length || !track.has(*length)) return ui::text("ui", kTruncated);
            track.take(*length);
            continue;
        }
        if (status > 0xEF) return ui::text("ui", kBroken);
        running = status;
        const int dataBytes = (status & 0xF0) == 0xC0 || (status & 0xF0) == 0xD0 ? 1 : 2;
        const size_t needed = static_cast<size_t>(dataBytes - (firstData ? 1 : 0));
        if (!track.has(needed)) return ui::text("ui", kTruncated);
        const uint8_t data1 = firstData ? *firstData : track.byte();
        const uint8_t data2 = dataBytes == 2 ? track.byte() : 0;
        if ((data1 | data2) & 0x80) return ui::text("ui", kBroken);
        events.push_back({tick, status, data1, data2, {}});
    }
    return std::nullopt;
}

}  // namespace

SmfRead readSmf(const std::string& bytes) {
    Bytes file(bytes, 0, bytes.size());
    if (!file.has(8) || file.take(4) != "MThd") return {std::nullopt, ui::text("ui", kNotMidi)};
    const uint32_t headerLength = file.big(4);
    if (headerLength < 6 || !file.has(headerLength)) return {std::nullopt, headerLength < 6 ? ui::text("ui", kNotMidi) : ui::text("ui", kTruncated)};
    const uint32_t format = file.big(2);
    file.big(2);  // the track count: the chunks themselves say how many there are
    const uint32_t division = file.big(2);
    file.take(headerLength - 6);
    // Format 2 holds independent sequences; a time-code division counts frames, not quarters.
    if (format > 1) return {std::nullopt, ui::text("ui", kFormatTwo)};
    if (division & 0x8000) return {std::nullopt, ui::text("ui", kTimeCode)};
    if (division == 0) return {std::nullopt, ui::text("ui", kZeroDivision)};
    SmfFile read{static_cast<int>(division), {}};
    bool anyTrack = false;
    while (!file.done()) {
        if (!file.has(8)) return {std::nullopt, ui::text("ui", kTruncated)};
        const std::string type = file.take(4);
        const uint32_t length = file.big(4);
        if (!file.has(length)) return {std::nullopt, ui::text("ui", kTruncated)};
        if (type != "MTrk") {
            file.take(length);  // chunks of other kinds are passed over
            continue;
        }
        const size_t begin = file.at();
        file.take(length);
        if (auto error = readTrack(Bytes(bytes, begin, begin + length), read.events)) return {std::nullopt, *error};
        anyTrack = true;
    }
    if (!anyTrack) return {std::nullopt, ui::text("ui", kNoTrack)};
    // The tracks of a format 1 file play together: one list in time order, earlier tracks first at a tick.
    std::stable_sort(read.events.begin(), read.events.end(),
                     [](const SmfEvent& a, const SmfEvent& b) { return a.tick < b.tick; });
    size_t atOneTick = 0;
    for (size_t i = 0; i < read.events.size(); ++i) {
        atOneTick = i > 0 && read.events[i].tick == read.events[i - 1].tick ? atOneTick + 1 : 1;
        if (atOneTick > kMaxEventsAtOneTick) return {std::nullopt, ui::text("ui", kCrowded)};
    }
    return {std::move(read), {}};
}

}  // namespace shinofu::midi
