// CP932 conversion through iconv, which follows the Windows code page (0x5C stays a backslash).
#include "platform/text_codec.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <stdexcept>

namespace shinofu::platform {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

class Iconv {
public:
    Iconv(const char* to, const char* from) : handle_(iconv_open(to, from)) {
        if (handle_ == reinterpret_cast<iconv_t>(-1)) {
            throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
        }
    }
    ~Iconv() { iconv_close(handle_); }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;

    // Converts as much as possible; returns the errno of the stop (0 when all input was used).
    int convert(std::string_view& input, std::string& output) {
        char buffer[4096];
        auto* in = const_cast<char*>(input.data());
        size_t inLeft = input.size();
        int error = 0;
        while (inLeft > 0) {
            char* out = buffer;
            size_t outLeft = sizeof buffer;
            size_t rc = iconv(handle_, &in, &inLeft, &out, &outLeft);
            output.append(buffer, static_cast<size_t>(out - buffer));
            if (rc == static_cast<size_t>(-1) && errno != E2BIG) {
                error = errno;
                break;
            }
        }
        input.remove_prefix(input.size() - inLeft);
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        return error;
    }

private:
    iconv_t handle_;
};

// Length of the UTF-8 sequence that starts with this byte (1 for stray bytes).
size_t utf8SequenceLength(unsigned char lead) {
    if (lead >= 0xF0 && lead < 0xF8) return 4;
    if (lead >= 0xE0) return lead < 0xF0 ? 3 : 1;
    if (lead >= 0xC0) return 2;
    return 1;
}

}  // namespace

std::string TextCodec::decode(std::string_view cp932) {
    thread_local Iconv converter("UTF-8", "CP932");
    std::string out;
    out.reserve(cp932.size() * 3 / 2);
    while (!cp932.empty()) {
        if (converter.convert(cp932, out) == 0) break;
        // Skip the offending byte; a lead byte with a bad trail byte loses only itself.
        out += kReplacement;
        cp932.remove_prefix(1);
    }
    return out;
}

EncodeResult TextCodec::encode(std::string_view utf8) {
    thread_local Iconv converter("CP932", "UTF-8");
    EncodeResult result;
    result.bytes.reserve(utf8.size());
    while (!utf8.empty()) {
        if (converter.convert(utf8, result.bytes) == 0) break;
        size_t length = std::min(utf8SequenceLength(static_cast<unsigned char>(utf8.front())), utf8.size());
        std::string character(utf8.substr(0, length));
        if (std::find(result.unmapped.begin(), result.unmapped.end(), character) == result.unmapped.end()) {
            result.unmapped.push_back(character);
        }
        result.bytes += '?';
        utf8.remove_prefix(length);
    }
    return result;
}

int TextCodec::sjisLength(std::string_view utf8) {
    return static_cast<int>(encode(utf8).bytes.size());
}

std::vector<std::string> decodeLines(std::string_view cp932) {
    std::vector<std::string> lines;
    while (!cp932.empty()) {
        size_t end = cp932.find('\n');
        std::string_view line = cp932.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(TextCodec::decode(line));
        if (end == std::string_view::npos) break;
        cp932.remove_prefix(end + 1);
    }
    return lines;
}

EncodeResult encodeLines(const std::vector<std::string>& lines) {
    std::string joined;
    for (const auto& line : lines) {
        joined += line;
        joined += "\r\n";
    }
    return TextCodec::encode(joined);
}

}  // namespace shinofu::platform
