// Pages of the score on paper: a printer or a PDF, each page scaled into the margins with its
// header and footer texts.
#pragma once

#include <QPagedPaintDevice>
#include <QPainter>
#include <array>
#include <filesystem>
#include <string>

#include "model/configuration.h"
#include "model/score.h"
#include "output/page_image.h"
#include "output/print_layout.h"
#include "platform/file_io.h"
#include "render/view_state.h"

namespace shinofu::output {

struct PrintJob {
    PrintSettings settings;
    std::array<model::HeaderItem, model::kHeaderItemCount> headerItems{};
    std::string date;  // printed in the program line
    int firstPage = 1;
    int lastPage = 1;
};

// The system's short form of today's date.
std::string todayShortDate();

// Draws the job's pages with a painter already open on the device, a new sheet for each page
// after the first. The device's full paper is the drawing area.
void printPages(QPainter& painter, QPagedPaintDevice& device, const model::Score& score, const render::ViewState& view,
                const DrawingResources& resources, const PrintJob& job);

// Every page of the score as one PDF on A4 paper, written atomically.
bool writePdfFile(const model::Score& score, const render::ViewState& view, const DrawingResources& resources,
                  const PrintJob& job, const std::filesystem::path& path, platform::IoError& error);

}  // namespace shinofu::output
