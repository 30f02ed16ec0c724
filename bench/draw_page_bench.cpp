// Times the staff page as the view draws it (12 staff rows, 6 parts, dense beamed eighths with
// slurs, lyrics, dynamics, hairpins and signs, the fingering numerals) on the raster canvas and
// prints the time per page and the peak memory.
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
#include "numeric/fingering_overlay.h"
#include "output/score_page.h"
#include "render/lyric_layer.h"
#include "render/mark_layer.h"
#include "render/symbol_layer.h"

namespace {

using namespace shinofu;

model::TMark markAt(int position, const char* text, uint8_t hairpin) {
    model::TMark mark;
    mark.anchorPos = position;
    mark.text = text;
    mark.fontIndex = 1;
    mark.fontSize = 12;
    mark.dy = -15;
    mark.hairpin = hairpin;
    return mark;
}

void fillDenseScore(model::Score& score) {
    score.partCount = model::kMaxParts;
    score.song.keySig = 3;
    const int eighthsPerPage = 2 * 4 * 8;  // 12 rows of 6 parts: two systems of four measures
    const int measureLen = score.measureLen();
    for (int part = 1; part <= model::kMaxParts; ++part) {
        score.part(part).visible = true;
        for (int i = 0; i < eighthsPerPage; ++i) {
            model::TNote* note = score.appendNote(part);
            note->pitch = static_cast<uint8_t>(10 + (i * 5 + part * 3) % 16);
            note->len = 6;
            note->stemUp = i % 4 < 2;
            note->accidental = i % 7 == 0 ? model::kSharp : model::kNoAccidental;
            note->beam = i % 2 == 0 ? model::kRoleStart : model::kRoleEnd;
            note->slur = i % 4 == 0 ? model::kRoleStart : i % 4 == 3 ? model::kRoleEnd : model::kNoRole;
            note->lyric = "さ";
        }
        for (int measure = 0; measure < eighthsPerPage / 8; ++measure) {
            const int start = measure * measureLen;
            score.part(part).marks.push_back(markAt(start, "B", model::kNoHairpin));
            score.part(part).marks.push_back(markAt(start + 12, " ", model::kCrescendoStart));
            score.part(part).marks.push_back(markAt(start + 36, " ", model::kCrescendoEnd));
        }
        model::TScoreSym repeat;
        repeat.kind = model::kRepeatRight;
        repeat.anchorPos = 3 * measureLen;
        score.part(part).symbols.push_back(repeat);
    }
    score.recomputePositions();
}

long peakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Prints the median and spread of 100 drawings.
template <typename Draw>
void timeDrawing(const char* what, Draw&& draw) {
    constexpr int kRounds = 100;
    std::vector<double> times;
    for (int round = 0; round < kRounds; ++round) {
        auto start = std::chrono::steady_clock::now();
        draw();
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    std::printf("  %-40s median %.2f ms, best %.2f ms, worst %.2f ms per page\n", what, times[times.size() / 2],
                times.front(), times.back());
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
    output::drawScorePage(canvas, score, view);  // warm-up: glyph outlines and fonts load once

    std::printf("staff page, 6 parts x 12 rows, %d beamed eighths with slurs, lyrics and marks, %dx%d raster\n",
                6 * 64, view.viewWidth, view.viewHeight);
    render::LyricLayer lyrics;
    render::SymbolLayer symbols;
    render::MarkLayer marks;
    numeric::FingeringOverlay numerals;
    timeDrawing("notes, beams and curves", [&] { render::drawPage(canvas, score, view); });
    timeDrawing("  + lyrics, symbols, marks", [&] {
        render::PageOptions options;
        options.layers = {&lyrics, &symbols, &marks};
        render::drawPage(canvas, score, view, options);
    });
    timeDrawing("the view's page (+ fingering numerals)", [&] { output::drawScorePage(canvas, score, view); });
    std::printf("  peak memory %.1f MiB\n", peakKilobytes() / 1024.0);
    return 0;
}
