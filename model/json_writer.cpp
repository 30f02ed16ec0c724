#include "model/json_writer.h"

#include <cmath>
#include <cstdio>

namespace shinofu::model {

std::string jsonQuoted(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escape[8];
                std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(static_cast<unsigned char>(c)));
                out += escape;
            } else {
                out += c;
            }
        }
    }
    return out + "\"";
}

void JsonWriter::prefix(std::string_view key) {
    if (!hasItems_.empty()) {
        if (hasItems_.back()) out_ += ",";
        hasItems_.back() = true;
        out_ += "\n" + std::string(2 * hasItems_.size(), ' ');
    }
    if (!key.empty()) out_ += jsonQuoted(key) + ": ";
}

void JsonWriter::open(std::string_view key, char bracket) {
    prefix(key);
    out_ += bracket;
    hasItems_.push_back(false);
}

void JsonWriter::close(char bracket) {
    bool items = hasItems_.back();
    hasItems_.pop_back();
    if (items) out_ += "\n" + std::string(2 * hasItems_.size(), ' ');
    out_ += bracket;
}

JsonWriter& JsonWriter::beginObject(std::string_view key) {
    open(key, '{');
    return *this;
}
JsonWriter& JsonWriter::endObject() {
    close('}');
    return *this;
}
JsonWriter& JsonWriter::beginArray(std::string_view key) {
    open(key, '[');
    return *this;
}
JsonWriter& JsonWriter::endArray() {
    close(']');
    return *this;
}

JsonWriter& JsonWriter::value(std::string_view key, std::string_view text) {
    prefix(key);
    out_ += jsonQuoted(text);
    return *this;
}

JsonWriter& JsonWriter::value(std::string_view key, long long number) {
    prefix(key);
    out_ += std::to_string(number);
    return *this;
}

JsonWriter& JsonWriter::value(std::string_view key, double number) {
    prefix(key);
    if (!std::isfinite(number)) {
        out_ += "null";
        return *this;
    }
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.17g", number);
    out_ += buffer;
    return *this;
}

JsonWriter& JsonWriter::value(std::string_view key, bool flag) {
    prefix(key);
    out_ += flag ? "true" : "false";
    return *this;
}

}  // namespace shinofu::model
