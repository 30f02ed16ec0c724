#include "output/picture_file.h"

#include <QBuffer>
#include <QByteArray>

namespace shinofu::output {

std::string pngBytes(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) return {};
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

bool writePngFile(const QImage& image, const std::filesystem::path& path, platform::IoError& error) {
    const std::string bytes = pngBytes(image);
    if (bytes.empty()) {
        error.message = "画像を PNG にできません：" + path.string();
        return false;
    }
    return platform::writeFileAtomically(path, bytes, error);
}

}  // namespace shinofu::output
