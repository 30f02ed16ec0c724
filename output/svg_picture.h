// The page as an SVG picture through Qt's SVG generator: the same drawing as the screen, with
// texts kept as text so titles and lyrics can be searched and copied.
#pragma once

#include <filesystem>

#include "model/score.h"
#include "output/page_image.h"
#include "platform/file_io.h"

namespace shinofu::output {

// Writes the page atomically; a failed write leaves any earlier file untouched and fills error.
bool writeSvgFile(const model::Score& score, const render::ViewState& view, const DrawingResources& resources,
                  const std::filesystem::path& path, platform::IoError& error);

}  // namespace shinofu::output
