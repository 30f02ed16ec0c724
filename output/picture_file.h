// Pictures written to disk the way scores are: complete, or not at all.
#pragma once

#include <QImage>
#include <filesystem>
#include <string>

#include "platform/file_io.h"

namespace shinofu::output {

// The image's PNG bytes; empty when it cannot be encoded.
std::string pngBytes(const QImage& image);

// Encodes the image as PNG in memory and writes it atomically; a failed write leaves any earlier
// file at the path untouched and fills error.
bool writePngFile(const QImage& image, const std::filesystem::path& path, platform::IoError& error);

}  // namespace shinofu::output
