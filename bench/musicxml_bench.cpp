// Times MusicXML export and import of a melody of 512, 1024 and 2048 measures (eighths in beamed
// pairs with lyrics, slurs over each pair, a dynamic and a hairpin every measure, a repeat every
// eight), to show the cost and that it grows linearly.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

#include "edit/mark_commands.h"
#include "midi/note_values.h"
#include "model/score.h"
#include "musicxml/musicxml_reader.h"
#include "musicxml/musicxml_writer.h"

namespace {

using namespace shinofu;

void fillMelody(model::Score& score, int measures) {
    model::TNote* end = score.part(1).partHead;
    for (int i = 0; i < measures * 8; ++i) {
        model::TNote* note = midi::insertNoteBefore(score, 1, *end);
        note->pitch = static_cast<uint8_t>(15 + i % 8);
        note->len = 6;
        note->beam = i % 2 == 0 ? model::kRoleStart : model::kRoleEnd;
        note->slur = note->beam;
        note->lyric = i % 2 == 0 ? "さ" : "く";
    }
    score.recomputePositions();
    for (int measure = 0; measure < measures; ++measure) {
        const int start = measure * score.measureLen();
        score.part(1).marks.push_back(edit::dynamicsMark(score, 1 + measure % 8, start, 1));
        score.part(1).marks.push_back(edit::hairpinMark(score, model::kCrescendoStart, start + 12, 1, 7.0));
        score.part(1).marks.push_back(edit::hairpinMark(score, model::kCrescendoEnd, start + 36, 1, 7.0));
        if (measure % 8 == 7) score.part(1).symbols.push_back(*edit::measureSign(model::kRepeatRight, start, 1, 130.0));
    }
}

double medianMilliseconds(const std::function<void()>& work, int runs) {
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        work();
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int main() {
    std::printf("%8s %8s %10s %12s %12s\n", "measures", "notes", "bytes", "export ms", "import ms");
    for (int measures : {512, 1024, 2048}) {
        model::Score score;
        fillMelody(score, measures);
        std::string document;
        const double exportMs = medianMilliseconds([&] { document = musicxml::musicXmlOf(score); }, 7);
        const double importMs = medianMilliseconds([&] {
            model::Score imported;
            if (!musicxml::importMusicXml(document, imported).read) std::puts("import refused the export");
        }, 7);
        std::printf("%8d %8d %10zu %12.1f %12.1f\n", measures, measures * 8, document.size(), exportMs, importMs);
    }
    return 0;
}
