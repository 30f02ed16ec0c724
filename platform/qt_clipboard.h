// The system clipboard through Qt.
#pragma once

#include "platform/clipboard.h"

namespace shinofu::platform {

class QtClipboard : public Clipboard {
public:
    std::optional<std::string> text() override;
    void setText(const std::string& utf8) override;
    void setPicture(const std::string& emf, const std::string& png) override;
};

}  // namespace shinofu::platform
