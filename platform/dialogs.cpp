#include "platform/dialogs.h"

namespace shinofu::platform {

std::optional<std::filesystem::path> ScriptedDialogs::openFile(const std::string& title, const std::string& filter,
                                                               const std::filesystem::path& start) {
    requests.push_back({title, filter, start});
    if (answers.empty()) return std::nullopt;
    auto answer = answers.front();
    answers.pop_front();
    return answer;
}

std::optional<std::filesystem::path> ScriptedDialogs::saveFile(const std::string& title, const std::string& filter,
                                                               const std::filesystem::path& proposed) {
    return openFile(title, filter, proposed);
}

void ScriptedDialogs::message(MessageKind, const std::string& text) { messages.push_back(text); }

}  // namespace shinofu::platform
