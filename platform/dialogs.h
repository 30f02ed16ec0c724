// The common dialogs the commands use: open, save and message boxes. Qt shows them; tests script them.
#pragma once

#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace shinofu::platform {

enum class MessageKind { Information, Warning, Error };

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // filter in the stored form: "五線譜面|*.gd4|Any Files|*.*|"
    virtual std::optional<std::filesystem::path> openFile(const std::string& title, const std::string& filter,
                                                          const std::filesystem::path& start) = 0;
    virtual std::optional<std::filesystem::path> saveFile(const std::string& title, const std::string& filter,
                                                          const std::filesystem::path& proposed) = 0;
    virtual void message(MessageKind kind, const std::string& text) = 0;
};

// Answers from a queue and records what was asked; an empty queue answers "cancelled".
class ScriptedDialogs : public Dialogs {
public:
    struct Request {
        std::string title;
        std::string filter;
        std::filesystem::path start;
    };

    std::optional<std::filesystem::path> openFile(const std::string& title, const std::string& filter,
                                                  const std::filesystem::path& start) override;
    std::optional<std::filesystem::path> saveFile(const std::string& title, const std::string& filter,
                                                  const std::filesystem::path& proposed) override;
    void message(MessageKind kind, const std::string& text) override;

    std::deque<std::optional<std::filesystem::path>> answers;
    std::vector<Request> requests;
    std::vector<std::string> messages;
};

}  // namespace shinofu::platform
