#include "midi/smf_writer.h"

#include <algorithm>

#include "midi/navigator.h"
#include "numeric/fingering.h"
#include "platform/text_codec.h"

namespace shinofu::midi {
namespace {

constexpr uint8_t kNoteOn = 0x90;
constexpr uint8_t kNoteOff = 0x80;
constexpr uint8_t kProgramChange = 0xC0;
constexpr uint8_t kWrittenVelocity = 0x44;
constexpr uint8_t kReleaseVelocity = 0x40;
constexpr uint8_t kSilentKey = 0x03;
constexpr uint8_t kSilentKeyBeforeGap = 0x1E;
constexpr int kOffLead = 4;  // file ticks a note-off comes before its written time
constexpr uint32_t kDefaultMicroseconds = 800000;
constexpr uint32_t kMaxMicroseconds = 0xFFFFFF;  // the tempo event holds 24 bits
constexpr int kLyricTableSize = 56;
constexpr int kLyricIndexOffset = 36;

void append(std::string& out, std::initializer_list<int> bytes) {
    for (int b : bytes) out += static_cast<char>(static_cast<uint8_t>(b));
}

void appendBigEndian(std::string& out, uint32_t value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

void appendHeaderEvents(std::string& track, const model::Score& score, const SmfOptions& options) {
    append(track, {0x00, 0xFF, 0x03, 0x00, 0x00, 0xFF, 0x01, 0x00, 0x00, 0xFF, 0x02, 0x00});
    const int meter = score.song.meterIndex;
    if (meter >= 0 && meter < model::kMeterCount) {
        static constexpr int kPowers[] = {2, 2, 2, 3, 3};
        append(track, {0x00, 0xFF, 0x58, 0x04, model::meterAt(meter).numerator, kPowers[meter], 0x18, 0x08});
    }
    const uint32_t microseconds =
        options.tempo > 0 ? std::min(kMaxMicroseconds, 60000000u / static_cast<uint32_t>(options.tempo))
                          : kDefaultMicroseconds;
    append(track, {0x00, 0xFF, 0x51, 0x03});
    appendBigEndian(track, microseconds, 3);
    const int key = score.song.keySig;
    append(track, {0x00, 0xFF, 0x59, 0x02, key <= 7 ? key : 256 - (key - 7), 0x00});
    for (int part = 1; part <= score.partCount; ++part) {
        append(track, {0x00, kProgramChange + part - 1, score.part(part).instrument & 0xFF});
    }
}

void appendMessage(std::string& track, const PerfList& list, size_t index, bool nextAtSameTick) {
    const PerfEvent& event = list.events()[index];
    const SoundSnapshot& sound = list.sound(event);
    const int channel = event.part - 1;
    const bool silent = sound.midiNote < 0;
    if (event.isNoteOn) {
        append(track, {kNoteOn + channel, silent ? kSilentKey : sound.midiNote & 0x7F, silent ? 0 : kWrittenVelocity});
    } else {
        const int key = !silent ? sound.midiNote & 0x7F : nextAtSameTick ? kSilentKey : kSilentKeyBeforeGap;
        append(track, {kNoteOff + channel, key, kReleaseVelocity});
    }
}

}  // namespace

void appendVariableLength(std::string& out, uint32_t value) {
    char groups[5];
    int count = 0;
    do {
        groups[count++] = static_cast<char>(value & 0x7F);
        value >>= 7;
    } while (value > 0);
    while (count > 1) out += static_cast<char>(groups[--count] | 0x80);
    out += groups[0];
}

std::string lyricNumeral(int midiNote, int fluteKey) {
    const int index = midiNote - kLyricIndexOffset - fluteKey;
    if (index < 1 || index > kLyricTableSize) return "-";
    // The third octave is marked with "^" here, as the fingering table's unread copy holds it.
    return index >= 41 && index <= 52 ? numeric::fingeringAt(index + 56) : numeric::fingeringAt(index);
}

std::string smfBytes(const model::Score& score, const PerfList& list, const SmfOptions& options) {
    std::string track;
    appendHeaderEvents(track, score, options);
    // End-marker snapshots carry nothing to sound: a part that has ended repeats them, and they are
    // passed over, so the longer parts of a score of uneven parts are written to their end. A final
    // bar is written through, as the file holds the whole score.
    std::vector<Performed> written = performedEvents(list, Navigator::FinalBar::PlaysOn);
    std::erase_if(written, [&list](const Performed& each) { return list.sound(list.events()[each.index]).isEndMarker(); });
    uint32_t pending = 0;
    for (size_t w = 0; w < written.size(); ++w) {
        const PerfEvent& event = list.events()[written[w].index];
        const PerfEvent* next = w + 1 < written.size() ? &list.events()[written[w + 1].index] : nullptr;
        appendVariableLength(track, pending);
        const int64_t gap = next ? written[w + 1].tick - written[w].tick : 0;
        if (!next) {
            pending = 0;
        } else if (gap > 0) {
            pending = static_cast<uint32_t>(kTicksPerUnit * gap - (next->isNoteOn ? 0 : kOffLead));
        } else {
            pending = event.isNoteOn != next->isNoteOn ? kOffLead : 0;
        }
        appendMessage(track, list, written[w].index, next && gap == 0);
        const SoundSnapshot& sound = list.sound(event);
        if (event.isNoteOn && sound.midiNote >= 0 && event.part >= 1 && event.part <= model::kMaxParts &&
            options.lyricParts[event.part - 1]) {
            const std::string text = platform::TextCodec::encode(lyricNumeral(sound.midiNote, score.song.fluteKey)).bytes;
            append(track, {0x00, 0xFF, 0x05});
            appendVariableLength(track, static_cast<uint32_t>(text.size()));
            track += text;
        }
    }
    append(track, {0x00, 0xFF, 0x2F, 0x00});

    std::string file = "MThd";
    append(file, {0x00, 0x00, 0x00, 0x06, 0x00, 0x00, 0x00, 0x01});
    appendBigEndian(file, kTicksPerQuarter, 2);
    file += "MTrk";
    appendBigEndian(file, static_cast<uint32_t>(track.size()), 4);
    return file + track;
}

}  // namespace shinofu::midi
