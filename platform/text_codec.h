// Conversion between the UTF-8 text held in memory and the CP932 (Shift-JIS) bytes of every file.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace shinofu::platform {

struct EncodeResult {
    std::string bytes;                  // CP932; characters it cannot hold become "?"
    std::vector<std::string> unmapped;  // each character (UTF-8) that could not be written, once
};

class TextCodec {
public:
    // Invalid or truncated CP932 sequences become U+FFFD; decoding never stops early.
    static std::string decode(std::string_view cp932);
    static EncodeResult encode(std::string_view utf8);
    // Length of the CP932 form, in bytes: the measure the file formats and text widths count in.
    static int sjisLength(std::string_view utf8);
};

// Splits file bytes into decoded lines; CR LF, LF and a missing final line end are all accepted.
std::vector<std::string> decodeLines(std::string_view cp932);
// Joins lines with CR LF after each and encodes them.
EncodeResult encodeLines(const std::vector<std::string>& lines);

}  // namespace shinofu::platform
