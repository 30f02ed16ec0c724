#include "platform/ui_text.h"

#include <atomic>
#include <vector>

namespace shinofu::ui {
namespace {

std::atomic<Translator> installed{nullptr};

}  // namespace

void setTranslator(Translator translator) { installed.store(translator); }
Translator installedTranslator() { return installed.load(); }

std::string text(const char* context, const char* source) {
    const Translator translator = installed.load();
    return translator ? translator(context, source) : std::string(source);
}

std::string withDetail(const std::string& message, const std::string& detail) {
    return format(text("ui", "%1：%2"), {message, detail});
}

std::string format(const std::string& pattern, std::initializer_list<std::string> arguments) {
    const std::vector<std::string> values(arguments);
    std::string result;
    for (size_t i = 0; i < pattern.size(); ++i) {
        const char digit = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        if (pattern[i] == '%' && digit >= '1' && digit <= '9' && static_cast<size_t>(digit - '1') < values.size()) {
            result += values[digit - '1'];
            ++i;
        } else {
            result += pattern[i];
        }
    }
    return result;
}

}  // namespace shinofu::ui
