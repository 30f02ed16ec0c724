#include "output/jpeg_file.h"

#include "platform/ui_text.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

namespace shinofu::output {
namespace {

constexpr int kQuality = 90;

}  // namespace

std::optional<std::string> jpegBytes(const QImage& image) {
    const QImage gray = image.convertToFormat(QImage::Format_Grayscale8);
    if (gray.isNull() || gray.width() <= 0 || gray.height() <= 0) return std::nullopt;
    jpeg_compress_struct compress{};
    jpeg_error_mgr errors{};
    compress.err = jpeg_std_error(&errors);
    // libjpeg's default error exit ends the process: an encoder error here can only come from
    // memory exhaustion, which the image size above already bounds.
    jpeg_create_compress(&compress);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&compress, &buffer, &size);
    compress.image_width = static_cast<JDIMENSION>(gray.width());
    compress.image_height = static_cast<JDIMENSION>(gray.height());
    compress.input_components = 1;
    compress.in_color_space = JCS_GRAYSCALE;
    jpeg_set_defaults(&compress);
    jpeg_set_quality(&compress, kQuality, TRUE);  // baseline: the defaults are not progressive
    jpeg_start_compress(&compress, TRUE);
    while (compress.next_scanline < compress.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(gray.constScanLine(static_cast<int>(compress.next_scanline)));
        jpeg_write_scanlines(&compress, &row, 1);
    }
    jpeg_finish_compress(&compress);
    jpeg_destroy_compress(&compress);
    std::string bytes(reinterpret_cast<const char*>(buffer), size);
    std::free(buffer);
    return bytes;
}

bool writeJpegFile(const QImage& image, const std::filesystem::path& path, platform::IoError& error) {
    const std::optional<std::string> bytes = jpegBytes(image);
    if (!bytes) {
        error.message = ui::text("ui", "画像を JPEG にできません：") + path.string();
        return false;
    }
    return platform::writeFileAtomically(path, *bytes, error);
}

}  // namespace shinofu::output
