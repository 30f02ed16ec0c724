// A minimal streaming JSON writer for model dumps: objects, arrays, numbers, booleans and UTF-8 strings.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace shinofu::model {

// Receives the text in pieces; a dump of any size then holds only the latest piece.
using JsonSink = std::function<void(std::string_view piece)>;

class JsonWriter {
public:
    explicit JsonWriter(JsonSink sink) : sink_(std::move(sink)) {}
    JsonWriter& beginObject(std::string_view key = {});
    JsonWriter& endObject();
    JsonWriter& beginArray(std::string_view key = {});
    JsonWriter& endArray();
    JsonWriter& value(std::string_view key, std::string_view text);
    JsonWriter& value(std::string_view key, const char* text) { return value(key, std::string_view(text)); }
    JsonWriter& value(std::string_view key, const std::string& text) { return value(key, std::string_view(text)); }
    JsonWriter& value(std::string_view key, long long number);
    JsonWriter& value(std::string_view key, int number) { return value(key, static_cast<long long>(number)); }
    JsonWriter& value(std::string_view key, double number);
    JsonWriter& value(std::string_view key, bool flag);
    void finish();  // the closing newline and the last piece, to the sink

private:
    void prefix(std::string_view key);
    void open(std::string_view key, char bracket);
    void close(char bracket);

    JsonSink sink_;
    std::string out_;
    std::vector<bool> hasItems_;  // per open container
};

std::string jsonQuoted(std::string_view text);

}  // namespace shinofu::model
