// The common dialogs shown with Qt Widgets.
#pragma once

#include "platform/dialogs.h"

class QWidget;

namespace shinofu::platform {

class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent) : parent_(parent) {}
    std::optional<std::filesystem::path> openFile(const std::string& title, const std::string& filter,
                                                  const std::filesystem::path& start) override;
    std::optional<std::filesystem::path> saveFile(const std::string& title, const std::string& filter,
                                                  const std::filesystem::path& proposed) override;
    void message(MessageKind kind, const std::string& text) override;

private:
    QWidget* parent_;
};

}  // namespace shinofu::platform
