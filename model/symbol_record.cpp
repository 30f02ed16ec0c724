#include "model/symbol_record.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "model/song_data.h"

#include "model/text_fields.h"

namespace shinofu::model {
namespace {

constexpr int kAnchorScale = 8;  // anchors are stored in eighths of a unit, as note lengths are
constexpr int kFontIndexScale = 8;
constexpr int kBoldFlag = 1;
constexpr int kItalicFlag = 2;

int32_t numberOr(std::string_view field, int32_t fallback) { return parseWholeNumber(field).value_or(fallback); }

// What the symbol dialog can set, so that no file can ask for a glyph the size of a house: sizes
// in layout units, offsets within a few pages.
constexpr int32_t kMinFontSize = 1;
constexpr int32_t kMaxFontSize = 200;
constexpr int32_t kMaxOffset = 4000;
constexpr int32_t kMaxNominalSize = 1000000;

}  // namespace

std::string fileSafeText(std::string_view text, bool semicolons) {
    std::string safe;
    safe.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case ',': safe += "，"; break;
        case ';': safe += semicolons ? "；" : ";"; break;
        case '\r':
        case '\n': safe += ' '; break;
        default: safe += c;
        }
    }
    if (!safe.empty() && safe.front() == '$') safe.replace(0, 1, "＄");
    if (!safe.empty() && safe.front() == '/') safe.replace(0, 1, "／");
    return safe;
}

std::string formatSymbolRecord(const SymbolFields& f) {
    int64_t styleFlags = int64_t{f.fontIndex} * kFontIndexScale + (f.bold ? kBoldFlag : 0) + (f.italic ? kItalicFlag : 0);
    std::string out = fileSafeText(f.text);
    for (int64_t value : {int64_t{f.page}, int64_t{f.anchorPos} * kAnchorScale, int64_t{f.measOffset}, int64_t{f.dx},
                          int64_t{f.dy}, int64_t{f.width}, int64_t{f.height}, int64_t{f.fontSize}, styleFlags}) {
        out += ',';
        out += std::to_string(value);
    }
    out += ',';
    return out;
}

SymbolFields symbolFromFields(const std::vector<std::string_view>& fields, size_t first) {
    SymbolFields f;
    auto field = [&](size_t i) { return first + i < fields.size() ? fields[first + i] : std::string_view(); };
    f.text = std::string(field(0));
    f.page = numberOr(field(1), f.page);
    f.anchorPos = numberOr(field(2), f.anchorPos * kAnchorScale) / kAnchorScale;
    f.measOffset = numberOr(field(3), f.measOffset);
    f.dx = std::clamp(numberOr(field(4), f.dx), -kMaxOffset, kMaxOffset);
    f.dy = std::clamp(numberOr(field(5), f.dy), -kMaxOffset, kMaxOffset);
    f.width = std::clamp(numberOr(field(6), f.width), -kMaxNominalSize, kMaxNominalSize);
    f.height = std::clamp(numberOr(field(7), f.height), -kMaxNominalSize, kMaxNominalSize);
    f.fontSize = std::clamp(numberOr(field(8), f.fontSize), kMinFontSize, kMaxFontSize);
    int styleFlags = numberOr(field(9), 0);
    f.fontIndex = std::clamp(styleFlags / kFontIndexScale, 0, kFontCount - 1);
    int style = styleFlags % kFontIndexScale;
    f.bold = style == 1 || style == 3;
    f.italic = style == 2 || style == 3;
    return f;
}

std::optional<ParsedRecord> parseSymbolRecord(std::string_view line) {
    size_t restStart = 0;
    for (int i = 0; i < kSymbolRecordFields; ++i) {
        size_t comma = line.find(',', restStart);
        if (comma == std::string_view::npos) return std::nullopt;
        restStart = comma + 1;
    }
    std::vector<std::string_view> fields = splitFields(line.substr(0, restStart - 1), ',');
    return ParsedRecord{symbolFromFields(fields, 0), line.substr(restStart)};
}

}  // namespace shinofu::model
