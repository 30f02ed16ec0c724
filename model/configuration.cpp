#include "model/configuration.h"

#include <cctype>

#include "model/header_parser.h"
#include "model/text_fields.h"

namespace shinofu::model {
namespace {

constexpr int kCountedLines = 11;

std::vector<std::string_view> fieldsOf(std::string_view line) {
    auto fields = splitFields(line, ',');
    for (auto& field : fields) field = trimLeadingSpaces(field);
    return fields;
}

void readColours(std::string_view line, Colour& first, Colour& second) {
    auto fields = fieldsOf(line);
    if (auto colour = colourFromName(trimSpaces(fields[0]))) first = *colour;
    if (fields.size() > 1) {
        if (auto colour = colourFromName(trimSpaces(fields[1]))) second = *colour;
    }
}

// Both numbers must be well-formed for either to apply.
bool readNumberPair(std::string_view line, int& first, int& second) {
    auto fields = fieldsOf(line);
    if (fields.size() < 2) return false;
    auto a = parseWholeNumber(fields[0]);
    auto b = parseWholeNumber(fields[1]);
    constexpr int kMaxLayoutValue = 1000;  // top margin, rows per page or line spacing
    if (!a || !b || *a < 0 || *b < 1 || *a > kMaxLayoutValue || *b > kMaxLayoutValue) return false;
    first = *a;
    second = *b;
    return true;
}

// The drawing surface is one image in memory: four A-proportioned screens' worth at most
// (4096 × 5792 pixels, about 95 MB).
constexpr int kMaxSurfaceWidth = 4096;
constexpr int kMaxSurfaceHeight = 5792;

void readSizes(std::string_view line, Configuration& config) {
    auto fields = fieldsOf(line);
    auto size = [](std::string_view field, int largest) {
        auto value = parseWholeNumber(field);
        return value && *value > 0 && *value <= largest ? value : std::nullopt;
    };
    if (auto width = size(fields[0], kMaxSurfaceWidth)) config.viewWidth = *width;
    if (fields.size() > 1) {
        if (auto height = size(fields[1], kMaxSurfaceHeight)) config.viewHeight = *height;
    }
}

void readMeasureLine(std::string_view line, Configuration& config) {
    int measures = config.measPerLine;
    int spacing = config.lineSpacing;
    constexpr int kMaxMeasuresPerLine = 99;
    if (!readNumberPair(line, measures, spacing) || measures < 1 || measures > kMaxMeasuresPerLine) return;
    config.measPerLine = measures;
    config.lineSpacing = spacing;
    auto fields = fieldsOf(line);
    if (fields.size() > 2) {
        constexpr double kMaxFactor = 20.0;
        if (auto factor = parseReal(fields[2]); factor && *factor > 0 && *factor <= kMaxFactor) config.noteSize *= *factor;
    }
}

void readHeaderItems(std::string_view line, Configuration& config) {
    auto entries = splitFields(line, ';');
    for (int i = 0; i < kHeaderItemCount && i < static_cast<int>(entries.size()); ++i) {
        auto fields = fieldsOf(entries[i]);
        HeaderItem& item = config.headerItems[i];
        item.text = std::string(fields[0]);
        std::string_view alignment = fields.size() > 1 ? trimSpaces(fields[1]) : std::string_view();
        item.alignment = alignment == "L" ? 'L' : alignment == "C" ? 'C' : 'R';
        if (fields.size() > 2) item.position = parseReal(fields[2]).value_or(item.position);
        if (fields.size() > 3) item.fontSize = parseWholeNumber(fields[3]).value_or(item.fontSize);
    }
}

void readFonts(std::string_view line, Configuration& config) {
    auto names = fieldsOf(line);
    for (int i = 0; i < kFontCount && i < static_cast<int>(names.size()); ++i) {
        if (!names[i].empty()) config.fonts[i] = names[i];
    }
}

// Comments begin with "/"; so does an absolute Linux path, which only the first counted line holds.
bool isComment(std::string_view line, int counted) {
    if (line.empty() || line.front() != '/') return false;
    if (counted > 0 || line.size() < 2) return true;
    const unsigned char next = static_cast<unsigned char>(line[1]);
    return !(std::isalnum(next) || next == '.' || next == '_' || next == '-');
}

}  // namespace

Configuration configurationWithoutFile() {
    Configuration config;
    config.viewWidth = 990;
    config.viewHeight = 1420;
    return config;
}

Configuration readConfiguration(const std::vector<std::string>& lines) {
    Configuration config;
    int counted = 0;
    for (const std::string& line : lines) {
        if (isComment(line, counted)) continue;
        switch (++counted) {
        case 1: config.workingDirectory = std::string(trimSpaces(line)); break;
        case 2: readSizes(line, config); break;
        case 3: readColours(line, config.drawColor, config.backColor); break;
        case 4: readColours(line, config.editDrawColor, config.editBackColor); break;
        case 5: readNumberPair(line, config.topMargin, config.rowsPerPage); break;
        case 6: readMeasureLine(line, config); break;
        case 7: {
            auto key = parseWholeNumber(line);
            config.defaultFluteKey = key && *key >= 1 && *key <= 12 ? *key : kDefaultFluteKey;
            break;
        }
        case 8: parseNumericSettings(line, config.numeric); break;
        case 9: {
            Colour unused = 0;
            readColours(line, unused, config.voice2Color);
            break;
        }
        case 10: readFonts(line, config); break;
        case 11: readHeaderItems(line, config); break;
        default: break;
        }
        if (counted >= kCountedLines) break;
    }
    return config;
}

}  // namespace shinofu::model
