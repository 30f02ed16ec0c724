// Pictures written to disk the way scores are: complete, or not at all.
#pragma once

#include <QImage>
#include <filesystem>
#include <functional>
#include <string>

#include "model/score.h"
#include "output/page_image.h"
#include "platform/file_io.h"
#include "render/view_state.h"

namespace shinofu::output {

// The image's PNG bytes; empty when it cannot be encoded.
std::string pngBytes(const QImage& image);

// Encodes the image as PNG in memory and writes it atomically; a failed write leaves any earlier
// file at the path untouched and fills error.
bool writePngFile(const QImage& image, const std::filesystem::path& path, platform::IoError& error);

// Renders and writes pages first..last as PNG files named by fileOf, on every core; stops at the
// first failure, which error then describes.
bool writePagePngs(const model::Score& score, const render::ViewState& view, const DrawingResources& resources,
                   int first, int last, const std::function<std::filesystem::path(int)>& fileOf,
                   platform::IoError& error);

}  // namespace shinofu::output
