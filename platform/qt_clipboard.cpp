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

void QtClipboard::setPicture(const std::string& emf, const std::string& png) {
    auto* data = new QMimeData;
    data->setData("image/emf", QByteArray(emf.data(), static_cast<qsizetype>(emf.size())));
    data->setData("image/x-emf", QByteArray(emf.data(), static_cast<qsizetype>(emf.size())));
    data->setData("image/png", QByteArray(png.data(), static_cast<qsizetype>(png.size())));
    QGuiApplication::clipboard()->setMimeData(data);
}

}  // namespace shinofu::platform
