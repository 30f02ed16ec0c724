#include "output/picture_file.h"

#include "platform/ui_text.h"

#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace shinofu::output {
namespace {

void appendBytes(png_structp png, png_bytep data, png_size_t length) {
    static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(data), length);
}

// The image as one grey channel, or nothing when some pixel has colour: one pass over the pixels
// instead of Qt's colour test followed by its weighted conversion.
std::optional<QImage> greyOf(const QImage& image) {
    const QImage source = image.convertToFormat(QImage::Format_RGB32);
    const int width = source.width();
    QImage grey(source.size(), QImage::Format_Grayscale8);
    for (int y = 0; y < source.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        uchar* out = grey.scanLine(y);
        for (int x = 0; x < width; ++x) {
            const QRgb pixel = in[x];
            const int green = qGreen(pixel);
            if (qRed(pixel) != green || qBlue(pixel) != green) return std::nullopt;
            out[x] = static_cast<uchar>(green);
        }
    }
    return grey;
}

}  // namespace

// Written with libpng directly: a page is mostly runs of white, which run-length coding without
// row filters packs nearly as tightly as the default settings at a fraction of their time.
std::string pngBytes(const QImage& image) {
    if (image.isNull()) return {};
    const std::optional<QImage> greyRows = greyOf(image);
    const bool grey = greyRows.has_value();
    const QImage rows = grey ? *greyRows : image.convertToFormat(QImage::Format_RGB888);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) return {};
    png_infop info = png_create_info_struct(png);
    std::string bytes;
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, info ? &info : nullptr);
        return {};
    }
    png_set_write_fn(png, &bytes, appendBytes, nullptr);
    png_set_IHDR(png, info, static_cast<png_uint_32>(rows.width()), static_cast<png_uint_32>(rows.height()), 8,
                 grey ? PNG_COLOR_TYPE_GRAY : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_set_compression_strategy(png, Z_RLE);
    png_set_compression_level(png, 1);
    png_write_info(png, info);
    for (int y = 0; y < rows.height(); ++y) png_write_row(png, rows.constScanLine(y));
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return bytes;
}

bool writePngFile(const QImage& image, const std::filesystem::path& path, platform::IoError& error) {
    const std::string bytes = pngBytes(image);
    if (bytes.empty()) {
        error.message = ui::text("ui", "画像を PNG にできません：") + path.string();
        return false;
    }
    return platform::writeFileAtomically(path, bytes, error);
}

bool writePagePngs(const model::Score& score, const render::ViewState& view, const DrawingResources& resources,
                   int first, int last, const std::function<std::filesystem::path(int)>& fileOf,
                   platform::IoError& error) {
    std::atomic<int> next{first};
    std::atomic<bool> failed{false};
    std::mutex errorMutex;
    auto work = [&] {
        render::ViewState page = view;
        for (int number = next++; number <= last && !failed; number = next++) {
            page.curPage = number;
            platform::IoError pageError;
            if (!writePngFile(renderPageImage(score, page, resources), fileOf(number), pageError)) {
                std::lock_guard lock(errorMutex);
                if (!failed.exchange(true)) error = pageError;
            }
        }
    };
    const int workers = std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, std::max(1, last - first + 1));
    std::vector<std::thread> threads;
    for (int i = 1; i < workers; ++i) threads.emplace_back(work);
    work();
    for (std::thread& thread : threads) thread.join();
    return !failed;
}

}  // namespace shinofu::output
