// Writes every page of a 2048-measure one-staff melody as PNG files and as one PDF (through the
// printing path), and prints the time of each and the peak memory.
#include <sys/resource.h>
#include <unistd.h>

#include <QGuiApplication>
#include <chrono>
#include <cstdio>
#include <filesystem>

#include "model/configuration.h"
#include "output/page_image.h"
#include "output/picture_file.h"
#include "output/print_document.h"
#include "render/page_tables.h"
#include "render/view_state.h"

namespace {

using namespace shinofu;
namespace fs = std::filesystem;

void fillMelody(model::Score& score, int measures) {
    const int pattern[] = {6, 6, 12, 18, 6};  // eighths, quarters and a dotted quarter: 48 units, one measure
    for (int measure = 0; measure < measures; ++measure) {
        for (int i = 0; i < 5; ++i) {
            model::TNote* note = score.appendNote(1);
            note->pitch = static_cast<uint8_t>(15 + (measure + i) % 10);
            note->len = pattern[i];
        }
    }
    score.recomputePositions();
}

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    constexpr int kMeasures = 2048;
    model::Score score;
    fillMelody(score, kMeasures);
    const render::ViewState view = render::ViewState::fromConfiguration(model::configurationWithoutFile());
    const int pages = render::buildPageTables(score, view).pageCount;
    output::DrawingResources resources;
    const fs::path folder = fs::temp_directory_path() / ("shinofu_export_bench_" + std::to_string(::getpid()));
    fs::create_directories(folder);
    std::printf("%d-measure one-staff melody, %d pages of %dx%d pixels\n", kMeasures, pages, view.viewWidth,
                view.viewHeight);

    auto start = std::chrono::steady_clock::now();
    platform::IoError error;
    const auto fileOf = [&](int number) { return folder / ("page-" + std::to_string(number) + ".png"); };
    if (!output::writePagePngs(score, view, resources, 1, pages, fileOf, error)) {
        std::printf("  PNG failed: %s\n", error.message.c_str());
        return 1;
    }
    std::printf("  every page as PNG: %.3f s\n", secondsSince(start));

    start = std::chrono::steady_clock::now();
    output::PrintJob job;
    job.date = output::todayShortDate();
    job.lastPage = pages;
    if (!output::writePdfFile(score, view, resources, job, folder / "score.pdf", error)) {
        std::printf("  PDF failed: %s\n", error.message.c_str());
        return 1;
    }
    std::printf("  every page in one PDF: %.3f s (%ju bytes)\n", secondsSince(start),
                static_cast<uintmax_t>(fs::file_size(folder / "score.pdf")));
    fs::remove_all(folder);

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("  peak memory %.1f MiB\n", usage.ru_maxrss / 1024.0);
    return 0;
}
