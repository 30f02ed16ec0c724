// Pictures written to disk the way scores are: complete, or not at all.
#pragma once

#include <QImage>
#include <filesystem>

#include "platform/file_io.h"

namespace shinofu::output {

// Encodes the image as PNG in memory and writes it atomically; a failed write leaves any earlier
// file at the path untouched and fills error.
bool writePngFile(const QImage& image, const std::filesystem::path& path, platform::IoError& error);

}  // namespace shinofu::output
