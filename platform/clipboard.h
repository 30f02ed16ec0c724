// The system clipboard as the commands use it: measures as text, pages as pictures.
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
    // A picture offered two ways: as an enhanced metafile ("image/emf") and as PNG.
    virtual void setPicture(const std::string& emf, const std::string& png) = 0;
};

// Holds the text in memory.
class ScriptedClipboard : public Clipboard {
public:
    std::optional<std::string> text() override { return text_; }
    void setText(const std::string& utf8) override { text_ = utf8; }
    void setPicture(const std::string& emf, const std::string& png) override {
        emf_ = emf;
        png_ = png;
    }
    const std::string& emf() const { return emf_; }
    const std::string& png() const { return png_; }

private:
    std::optional<std::string> text_;
    std::string emf_;
    std::string png_;
};

}  // namespace shinofu::platform
