// Every page of the score in one PDF, drawn by the same code as the view through Qt's PDF writer.
#pragma once

#include <filesystem>

#include "model/score.h"
#include "output/page_image.h"
#include "platform/file_io.h"

namespace shinofu::output {

// Pages of the view's size at 96 pixels to the inch; written atomically.
bool writePdfFile(const model::Score& score, const render::ViewState& view, const DrawingResources& resources,
                  const std::filesystem::path& path, platform::IoError& error);

}  // namespace shinofu::output
