// Times the measure commands on a part of 4096 measures of eighths, each with its undo snapshot
// written to a scratch folder, and undo itself.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <vector>

#include "edit/edit_mode.h"
#include "edit/measure_commands.h"
#include "edit/undo_files.h"
#include "model/score.h"
#include "model/score_writer.h"

namespace {

using namespace shinofu;
namespace fs = std::filesystem;

constexpr int kMeasures = 4096;

void fillScore(model::Score& score) {
    for (int i = 0; i < kMeasures * 8; ++i) {
        model::TNote* note = score.appendNote(1);
        note->pitch = static_cast<uint8_t>(15 + i % 8);
        note->len = 6;
        note->beam = i % 2 == 0 ? model::kRoleStart : model::kRoleEnd;
    }
    score.recomputePositions();
}

double millisecondsOf(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main() {
    const fs::path folder = fs::temp_directory_path() / ("shinofu_measure_bench_" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const edit::UndoFiles undo(folder / "shinofu");
    model::Score score;
    fillScore(score);
    render::ViewState view;
    edit::EditState state;
    state.editMode = edit::kMeasureEditMode;
    render::PageTables tables = render::buildPageTables(score, view);
    edit::EditTarget target{score, view, state, tables, [&] { undo.snapshot(score); }};
    // The last measures of the page: the commands walk as far into the part as a user reaches.
    auto pick = [&](int measure, int count) {
        state.click = edit::ClickedMeasure{{measure, 1, tables.systemsPerPage, 1, 1, 10}, 0};
        state.rangeEnd = render::ScoreHit{measure + count - 1, 1, tables.systemsPerPage, 1, 1, 10};
    };
    std::printf("measure commands on a part of %d measures (%d notes), each with its undo snapshot\n", kMeasures,
                kMeasures * 8);
    const std::pair<const char*, std::function<void()>> commands[] = {
        {"insert", [&] { pick(4, 1); edit::insertMeasure(target, target.snapshot); }},
        {"copy 4 measures", [&] { pick(1, 4); edit::copyMeasures(target); }},
        {"insert paste", [&] { pick(2, 1); edit::insertPaste(target, target.snapshot); }},
        {"overwrite paste", [&] { pick(3, 1); edit::overwritePaste(target, target.snapshot); }},
        {"cut", [&] { pick(2, 2); edit::cutMeasures(target, target.snapshot); }},
        {"delete", [&] { pick(1, 1); edit::deleteMeasures(target, target.snapshot); }},
        {"undo", [&] { undo.undo(score, {}); }},
    };
    auto time = [&](const char* name, const std::function<void()>& command) {
        std::vector<double> times;
        for (int round = 0; round < 5; ++round) {
            times.push_back(millisecondsOf(command));
            score.recomputePositions();
        }
        std::sort(times.begin(), times.end());
        std::printf("  %-18s median %6.1f ms, worst %6.1f ms\n", name, times[times.size() / 2], times.back());
    };
    for (const auto& [name, command] : commands) time(name, command);
    fs::remove_all(folder);
    return 0;
}
