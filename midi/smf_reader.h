// Reading a Standard MIDI File into one time-ordered list of events: format 0, or format 1 with its
// tracks merged; running status, system exclusive and unknown meta events skipped by their lengths.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace shinofu::midi {

struct SmfEvent {
    int64_t tick;
    uint8_t status;       // 0x80..0xEF channel messages, 0xFF meta
    uint8_t data1 = 0;    // channel message data, or the meta type
    uint8_t data2 = 0;
    std::string meta;     // the meta event's data
};

struct SmfFile {
    int division;  // ticks per quarter note
    std::vector<SmfEvent> events;
};

struct SmfRead {
    std::optional<SmfFile> file;
    std::string error;  // for the user, when there is no file
};

SmfRead readSmf(const std::string& bytes);

}  // namespace shinofu::midi
