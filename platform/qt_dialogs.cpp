#include "platform/qt_dialogs.h"

#include <QFileDialog>
#include <QMessageBox>

#include "platform/file_filter.h"

namespace shinofu::platform {
namespace {

QString qt(const std::string& text) { return QString::fromStdString(text); }

std::optional<std::filesystem::path> chosen(const QString& name) {
    if (name.isEmpty()) return std::nullopt;
    return std::filesystem::path(name.toStdString());
}

}  // namespace

std::optional<std::filesystem::path> QtDialogs::openFile(const std::string& title, const std::string& filter,
                                                         const std::filesystem::path& start) {
    return chosen(QFileDialog::getOpenFileName(parent_, qt(title), qt(start.string()), qt(qtFilterFromStored(filter))));
}

std::optional<std::filesystem::path> QtDialogs::saveFile(const std::string& title, const std::string& filter,
                                                         const std::filesystem::path& proposed) {
    // The commands replace the extension themselves and check nothing else, so Qt's own
    // overwrite question is the only one the user sees.
    return chosen(
        QFileDialog::getSaveFileName(parent_, qt(title), qt(proposed.string()), qt(qtFilterFromStored(filter))));
}

void QtDialogs::message(MessageKind kind, const std::string& text) {
    switch (kind) {
    case MessageKind::Information: QMessageBox::information(parent_, "Shinofu", qt(text)); break;
    case MessageKind::Warning: QMessageBox::warning(parent_, "Shinofu", qt(text)); break;
    case MessageKind::Error: QMessageBox::critical(parent_, "Shinofu", qt(text)); break;
    }
}

}  // namespace shinofu::platform
