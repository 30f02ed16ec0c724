// The score's pages as PNG or SVG files (one, or each as OUT-1, OUT-2, ...) or as one PDF: shared by
// the command line and 画面ファイル保存.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "app/session.h"
#include "output/page_image.h"
#include "render/view_state.h"

namespace shinofu::app {

// OUT-2.png from OUT.png: the name of one page of several.
std::filesystem::path pageFile(const std::filesystem::path& out, int page);

// Writes page (or every page, from 1 to pageCount) to out by its extension, .png, .svg or .pdf.
// Every page written as OUT-N removes an earlier, longer export's surplus pages of exactly that
// pattern. Returns false with the cause in error.
bool writePageFiles(const std::filesystem::path& out, const Session& session, const render::ViewState& view,
                    const output::DrawingResources& resources, int pageCount, std::optional<int> page,
                    std::string& error);

}  // namespace shinofu::app
