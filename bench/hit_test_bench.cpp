// Times a press on a full page (6 parts x 12 rows of eighths, the last part 4000 measures long):
// the hit test and the note pick that follows it, over presses spread across the page.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "edit/note_picking.h"
#include "model/score.h"
#include "render/hit_test.h"

namespace {

using namespace shinofu;

void fillScore(model::Score& score) {
    score.partCount = model::kMaxParts;
    for (int part = 1; part <= model::kMaxParts; ++part) {
        const int eighths = part == model::kMaxParts ? 4000 * 8 : 2 * 4 * 8;
        for (int i = 0; i < eighths; ++i) {
            model::TNote* note = score.appendNote(part);
            note->pitch = static_cast<uint8_t>(10 + (i * 5 + part * 3) % 16);
            note->len = 6;
        }
    }
    score.recomputePositions();
}

}  // namespace

int main() {
    model::Score score;
    fillScore(score);
    render::ViewState view;
    edit::EditState state;
    constexpr int kPresses = 20000;
    std::vector<double> times;
    times.reserve(kPresses);
    for (int i = 0; i < kPresses; ++i) {
        view.curPage = 1 + (i % 3 == 0 ? 40 : 0);  // some presses on a late page of the long part
        const int x = 20 + (i * 37) % 950;
        const int y = 30 + (i * 53) % 1380;
        const auto start = std::chrono::steady_clock::now();
        const render::PageTables tables = render::buildPageTables(score, view);
        const render::ScoreHit hit = render::hitToScore(score, view, tables, x, y);
        edit::pressOnScore(score, view, state, tables, hit, {});
        edit::pressOnScore(score, view, state, tables, hit, {});  // the repeated press picks the note
        times.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    std::printf("press on a full page (page tables, hit test, measure and note pick), %d presses\n", kPresses);
    std::printf("  median %.1f us, 99th percentile %.1f us, worst %.1f us per press\n", times[times.size() / 2],
                times[times.size() * 99 / 100], times.back());
    return 0;
}
