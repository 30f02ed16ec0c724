// Accidentals written earlier in the measure, by staff position: they carry to later notes on the
// same position and an octave away until the bar line. The score sounds and is fingered by this
// rule; readers of other formats use it to know which accidentals a note needs written.
#pragma once

#include <cstdint>
#include <vector>

namespace shinofu::model {

constexpr int kCarryTableSize = 60;  // entries one measure can carry

class AccidentalCarry {
public:
    void write(uint8_t pitch, uint8_t accidental);
    // The accidental carried to a staff position, or kNoAccidental.
    uint8_t carried(uint8_t pitch) const;
    bool empty() const { return entries_.empty(); }
    void clear() { entries_.clear(); }

private:
    void set(int position, uint8_t accidental, bool mayAdd);

    struct Entry {
        uint8_t pitch;
        uint8_t accidental;
    };
    std::vector<Entry> entries_;
};

}  // namespace shinofu::model
