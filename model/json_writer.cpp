#include "model/json_writer.h"

#include <cmath>
#include <cstdio>

namespace shinofu::model {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

// The length of the well-formed UTF-8 sequence at the start of text (no overlong forms, no
// surrogates, nothing past U+10FFFF), or 0.
size_t utf8SequenceAt(std::string_view text) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (text.size() < length || byte(1) < low || byte(1) > high) return 0;
    for (size_t i = 2; i < length; ++i) {
        if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
    }
    return length;
}

bool needsNoEscape(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 0x20 && byte < 0x80 && c != '"' && c != '\\';
}

// Every text comes out as valid UTF-8: a byte that starts no well-formed sequence becomes U+FFFD.
void appendQuoted(std::string& out, std::string_view text) {
    out += '"';
    for (size_t at = 0; at < text.size(); ++at) {
        // Runs of plain characters, the bulk of any dump, go in whole.
        size_t plain = at;
        while (plain < text.size() && needsNoEscape(text[plain])) ++plain;
        if (plain > at) {
            out.append(text.substr(at, plain - at));
            at = plain;
            if (at == text.size()) break;
        }
        const char c = text[at];
        if (static_cast<unsigned char>(c) >= 0x80) {
            const size_t length = utf8SequenceAt(text.substr(at));
            if (length == 0) {
                out += kReplacement;
            } else {
                out += text.substr(at, length);
                at += length - 1;
            }
            continue;
        }
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default: {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(static_cast<unsigned char>(c)));
            out += escape;
        }
        }
    }
    out += '"';
}

}  // namespace

std::string jsonQuoted(std::string_view text) {
    std::string out;
    appendQuoted(out, text);
    return out;
}

void JsonWriter::prefix(std::string_view key) {
    constexpr size_t kPieceBytes = 1 << 16;
    if (sink_ && out_.size() >= kPieceBytes) {
        sink_(out_);
        out_.clear();
    }
    if (!hasItems_.empty()) {
        if (hasItems_.back()) out_ += ',';
        hasItems_.back() = true;
        out_ += '\n';
        out_.append(2 * hasItems_.size(), ' ');
    }
    if (!key.empty()) {
        appendQuoted(out_, key);
        out_ += ": ";
    }
}

void JsonWriter::open(std::string_view key, char bracket) {
    prefix(key);
    out_ += bracket;
    hasItems_.push_back(false);
}

void JsonWriter::close(char bracket) {
    bool items = hasItems_.back();
    hasItems_.pop_back();
    if (items) {
        out_ += '\n';
        out_.append(2 * hasItems_.size(), ' ');
    }
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
    appendQuoted(out_, text);
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

void JsonWriter::finish() {
    out_ += "\n";
    if (sink_) sink_(out_);
    out_.clear();
}

}  // namespace shinofu::model
