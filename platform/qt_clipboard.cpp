#include "platform/qt_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace shinofu::platform {

std::optional<std::string> QtClipboard::text() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data || !data->hasText()) return std::nullopt;
    return data->text().toStdString();
}

void QtClipboard::setText(const std::string& utf8) { QGuiApplication::clipboard()->setText(QString::fromStdString(utf8)); }

}  // namespace shinofu::platform
