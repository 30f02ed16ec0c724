// The editor's undo and redo as the user meets them: one action recorded, one step undone or redone
// with the score read back and its positions and performance rebuilt, on a part of 4096 measures;
// and the memory the history holds after 500 actions on a 2048-measure score.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

#include "app/session.h"
#include "model/score_writer.h"

namespace {

using namespace shinofu;

// A part of eighths, read from its file text as a user's file would be.
void fillScore(app::Session& session, int measures) {
    model::Score measure;
    for (int i = 0; i < 8; ++i) {
        model::TNote* note = measure.appendNote(1);
        note->pitch = static_cast<uint8_t>(15 + i);
        note->len = 6;
        note->beam = i % 2 == 0 ? model::kRoleStart : model::kRoleEnd;
    }
    std::vector<std::string> lines = model::scoreFileLines(measure);
    const auto end = std::find(lines.begin(), lines.end(), "$END");
    const std::string notes = *(end + 1);
    lines.erase(end + 1, lines.end());
    lines.insert(lines.end(), static_cast<size_t>(measures), notes);
    model::readScore(lines, session.score, session.readOptions(true));
    session.refreshDerivedState();
    session.startHistory();
}

// A user's edit: one note a step higher or back, somewhere in the part.
void editNote(model::Score& score, int which) {
    model::TNote* note = score.part(1).partHead;
    for (int i = 0; i < which && !note->next->isEndMarker(); ++i) note = note->next;
    note->pitch ^= 1;
}

void report(const char* name, std::vector<double> times) {
    std::sort(times.begin(), times.end());
    const double p99 = times[std::min(times.size() - 1, times.size() * 99 / 100)];
    std::printf("  %-14s median %6.2f ms, 99th percentile %6.2f ms (%zu steps)\n", name, times[times.size() / 2], p99,
                times.size());
}

double millisecondsOf(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// Resident memory now, from /proc.
double residentMegabytes() {
    long pages = 0, resident = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(statm);
    }
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1048576.0;
}

int noteCount(const model::Score& score) {
    int count = 0;
    for (const model::TNote* note = score.part(1).partHead; !note->isEndMarker(); note = note->next) ++count;
    return count;
}

}  // namespace

int main() {
    constexpr int kSteps = 200;
    {
        app::Session session;
        fillScore(session, 4096);
        std::printf("undo history on a part of 4096 measures (%d notes), goal under 16 ms a step\n",
                    noteCount(session.score));
        std::vector<double> record, undo, redo;
        for (int step = 0; step < kSteps; ++step) {
            editNote(session.score, step * 163);
            record.push_back(millisecondsOf([&] { session.recordStep("edit"); }));
        }
        for (int step = 0; step < kSteps; ++step) undo.push_back(millisecondsOf([&] { session.undoStep(); }));
        for (int step = 0; step < kSteps; ++step) redo.push_back(millisecondsOf([&] { session.redoStep(); }));
        report("record action", record);
        report("undo", undo);
        report("redo", redo);
    }
    const double before = residentMegabytes();
    app::Session session;
    fillScore(session, 2048);
    for (int step = 0; step < 600; ++step) {
        editNote(session.score, step * 97);
        session.recordStep("edit");
    }
    const double grown = residentMegabytes() - before;
    int reachable = 0;
    while (session.history.undo()) ++reachable;
    std::printf("2048 measures (%d notes), 600 actions: %d steps kept, history %.1f MB (budget 256 MB), "
                "resident memory grew %.1f MB\n",
                noteCount(session.score), reachable, session.history.heldBytes() / 1048576.0, grown);
    return 0;
}
