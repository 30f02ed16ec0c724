#include "model/score_file.h"

#include "model/score_budget.h"
#include "model/score_writer.h"
#include "platform/text_codec.h"
#include "platform/ui_text.h"

namespace shinofu::model {

std::optional<ReadReport> loadScoreFile(const std::filesystem::path& path, Score& score, const ReadOptions& options,
                                        platform::IoError& error) {
    auto bytes = platform::readFileBytes(path, error);
    if (!bytes) return std::nullopt;
    const std::vector<std::string> lines = platform::decodeLines(*bytes);
    // Reported before the score is touched, so the current one stays.
    if (!recognisesScore(lines)) {
        error.message = ui::text("ui", "譜面ファイルではありません：") + path.string();
        return std::nullopt;
    }
    if (const auto refusal = scoreLinesOverBudget(lines)) {
        error.message = ui::withDetail(*refusal, path.string());
        return std::nullopt;
    }
    return readScore(lines, score, options);
}

SaveResult saveScoreFile(const std::filesystem::path& path, Score& score) {
    SaveResult result;
    platform::EncodeResult encoded = platform::encodeLines(scoreFileLines(score));
    result.unmapped = std::move(encoded.unmapped);
    result.written = platform::writeFileAtomically(path, encoded.bytes, result.error);
    if (result.written) score.saved = true;
    return result;
}

std::filesystem::path scoreFileName(std::filesystem::path chosen) { return chosen.replace_extension(".gd4"); }

}  // namespace shinofu::model
