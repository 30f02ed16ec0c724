// The system clipboard as the commands use it: plain text now, pictures with the exports.
// Qt provides it in the editor; tests script it.
#pragma once

#include <optional>
#include <string>

namespace shinofu::platform {

class Clipboard {
public:
    virtual ~Clipboard() = default;
    // The clipboard's text; nothing when it holds none.
    virtual std::optional<std::string> text() = 0;
    virtual void setText(const std::string& utf8) = 0;
};

// Holds the text in memory.
class ScriptedClipboard : public Clipboard {
public:
    std::optional<std::string> text() override { return text_; }
    void setText(const std::string& utf8) override { text_ = utf8; }

private:
    std::optional<std::string> text_;
};

}  // namespace shinofu::platform
