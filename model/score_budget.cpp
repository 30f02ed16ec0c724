#include "model/score_budget.h"

#include "platform/ui_text.h"

#include <algorithm>
#include <string_view>

namespace shinofu::model {

std::string tooManyMeasuresMessage() { return ui::format(ui::text("ui", "大きすぎる楽譜です（%1小節まで）"), {std::to_string(kMostMeasures)}); }

std::string tooManyNotesMessage() {
    return ui::format(ui::text("ui", "大きすぎる楽譜です（1パート%1音符まで）"), {std::to_string(kMostNotesPerPart)});
}

std::optional<std::string> scoreLinesOverBudget(const std::vector<std::string>& lines) {
    auto at = std::find_if(lines.begin(), lines.end(), [](const std::string& line) { return line.starts_with("$END"); });
    int64_t notes = 0;
    int measures = 0;
    for (at = at == lines.end() ? lines.begin() : at + 1; at != lines.end(); ++at) {
        const std::string_view line = *at;
        if (line.starts_with("$STARTM")) break;
        if (line.starts_with("$START")) {  // the next part's notes
            notes = 0;
            measures = 0;
            continue;
        }
        if (line.empty() || line.front() == '$') continue;
        notes += 1 + std::count(line.begin(), line.end(), ',');
        if (notes > kMostNotesPerPart) return tooManyNotesMessage();
        if (++measures > kMostMeasures) return tooManyMeasuresMessage();
    }
    return std::nullopt;
}

}  // namespace shinofu::model
