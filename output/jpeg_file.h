// The page as a JPEG: grayscale, quality 90, baseline, encoded with libjpeg-turbo and written
// atomically.
#pragma once

#include <QImage>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/file_io.h"

namespace shinofu::output {

// The JPEG bytes of the image; nothing when the encoder fails.
std::optional<std::string> jpegBytes(const QImage& image);

bool writeJpegFile(const QImage& image, const std::filesystem::path& path, platform::IoError& error);

}  // namespace shinofu::output
