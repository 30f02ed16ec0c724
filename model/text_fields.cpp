#include "model/text_fields.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace shinofu::model {

std::vector<std::string_view> splitFields(std::string_view text, char separator) {
    std::vector<std::string_view> fields;
    splitFieldsInto(text, separator, fields);
    return fields;
}

void splitFieldsInto(std::string_view text, char separator, std::vector<std::string_view>& fields) {
    fields.clear();
    size_t start = 0;
    while (true) {
        const size_t end = text.find(separator, start);
        if (end == std::string_view::npos) {
            fields.push_back(text.substr(start));
            return;
        }
        fields.push_back(text.substr(start, end - start));
        start = end + 1;
    }
}

std::string_view trimLeadingSpaces(std::string_view text) {
    size_t first = text.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

std::string_view trimSpaces(std::string_view text) {
    text = trimLeadingSpaces(text);
    size_t last = text.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string_view() : text.substr(0, last + 1);
}

std::optional<int> parseWholeNumber(std::string_view text) {
    text = trimSpaces(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    int value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::optional<double> parseReal(std::string_view text) {
    text = trimSpaces(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    double value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

int roundHalfAwayFromZero(double value) {
    double rounded = std::round(value);
    constexpr double kMax = std::numeric_limits<int>::max();
    constexpr double kMin = std::numeric_limits<int>::min();
    if (!(rounded < kMax)) return std::numeric_limits<int>::max();
    if (!(rounded > kMin)) return std::numeric_limits<int>::min();
    return static_cast<int>(rounded);
}

std::string formatReal(double value, int width, int decimals) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%*.*f", width, decimals, value);
    return buffer;
}

}  // namespace shinofu::model
