// Times drawPage of a full page (12 staff rows, 6 parts, dense eighth notes) on the raster canvas
// and prints the time per page and the peak memory.
#include <sys/resource.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "model/key_signature.h"
#include "model/score.h"
#include "output/page_image.h"
#include "platform/qt_canvas.h"
#include "render/page_drawer.h"

namespace {

using namespace shinofu;

void fillDenseScore(model::Score& score) {
    score.partCount = model::kMaxParts;
    score.song.keySig = 3;
    const int eighthsPerPage = 2 * 4 * 8;  // 12 rows of 6 parts: two systems of four measures
    for (int part = 1; part <= model::kMaxParts; ++part) {
        score.part(part).visible = true;
        for (int i = 0; i < eighthsPerPage; ++i) {
            model::TNote* note = score.appendNote(part);
            note->pitch = static_cast<uint8_t>(10 + (i * 5 + part * 3) % 16);
            note->len = 6;
            note->stemUp = note->pitch <= 20;
            note->accidental = i % 7 == 0 ? model::kSharp : model::kNoAccidental;
        }
    }
    score.recomputePositions();
}

long peakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    model::Score score;
    fillDenseScore(score);
    render::ViewState view;
    output::DrawingResources resources;
    QImage image(view.viewWidth, view.viewHeight, QImage::Format_RGB32);
    QPainter painter(&image);
    platform::QtCanvas canvas(painter, resources.paths, resources.catalog);
    render::drawPage(canvas, score, view);  // warm-up: glyph outlines and fonts load once

    constexpr int kRounds = 100;
    std::vector<double> times;
    for (int round = 0; round < kRounds; ++round) {
        auto start = std::chrono::steady_clock::now();
        render::drawPage(canvas, score, view);
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    double sum = 0;
    for (double t : times) sum += t;
    std::printf("drawPage, 6 parts x 12 rows, %d eighth notes per page, %dx%d raster\n", 6 * 64, view.viewWidth,
                view.viewHeight);
    std::printf("  median %.2f ms, mean %.2f ms, best %.2f ms, worst %.2f ms per page (%d rounds)\n",
                times[times.size() / 2], sum / kRounds, times.front(), times.back(), kRounds);
    std::printf("  peak memory %.1f MiB\n", peakKilobytes() / 1024.0);
    return 0;
}
