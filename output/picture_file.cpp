#include "output/picture_file.h"

#include <QBuffer>
#include <QByteArray>

namespace shinofu::output {

bool writePngFile(const QImage& image, const std::filesystem::path& path, platform::IoError& error) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) {
        error.message = "画像を PNG にできません：" + path.string();
        return false;
    }
    return platform::writeFileAtomically(path, std::string(bytes.constData(), static_cast<size_t>(bytes.size())), error);
}

}  // namespace shinofu::output
