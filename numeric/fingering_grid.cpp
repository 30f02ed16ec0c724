#include "numeric/fingering_grid.h"

#include "numeric/fingering.h"

namespace shinofu::numeric {

std::vector<std::string> fingeringGridLines(const model::Score& score, int part) {
    std::vector<std::string> lines;
    std::string line;
    int sum = 0;
    model::forEachNote(score.part(part).partHead, [&](const model::TNote& note) {
        if (model::isStaffPitch(note.pitch) && note.tie != model::kRoleEnd) {
            line += "\"" + numeralOf(note.pitch, note.effAccidental, score.song.fluteKey, score.song.keySig).symbol + "\"";
        }
        line.append(static_cast<size_t>(std::max(0, note.len)), ',');
        sum += note.len;
        if (sum >= score.measureLen()) {
            lines.push_back(std::move(line));
            line.clear();
            sum = 0;
        }
    });
    lines.push_back(std::move(line));
    return lines;
}

}  // namespace shinofu::numeric
