#include "model/score_settings.h"

#include "model/symbol_record.h"
#include "model/score_writer.h"

namespace shinofu::model {
namespace {

std::string recordWithText(SymbolFields fields, const std::string& text) {
    fields.text = text;
    return formatSymbolRecord(fields);
}

}  // namespace

std::vector<std::string> scoreSettingsLines(const Score& score) {
    return {
        "$V:3",
        "$NAME:" + recordWithText(score.fixedSymbol(kTitleSymbol), "") + ";" +
            recordWithText(score.fixedSymbol(kLyricistSymbol), "") + ";" +
            recordWithText(score.fixedSymbol(kComposerSymbol), ""),
        "$TEMPO:" + recordWithText(score.fixedSymbol(kTempoSymbol), "=60") +
            recordWithText(score.fixedSymbol(kMetronomeSymbol), "M") + std::string(score.meter().text),
        "$KEY:C,8," + recordWithText(score.fixedSymbol(kFluteKeySymbol), "8本"),
        "$MeasNum:" + std::to_string(score.song.measPerLine),
        numScoreLine(score.numeric),
        nfontLine(score.numeric),
        instrumentLine(score),
        noteSizeLine(score),
    };
}

ScoreSettingsResult readScoreSettings(const std::vector<std::string>& lines, Score& score, int defaultFluteKey) {
    HeaderContext context;
    context.formatFlag = false;
    context.numericApplies = false;
    context.defaultFluteKey = defaultFluteKey;
    context.names = rememberNameLayout(score);
    for (const std::string& line : lines) {
        if (line.empty() || line.front() != '$') continue;
        if (parseHeaderLine(line, score, context) == HeaderLine::End) break;
    }
    applyTempoText(score);
    return {context.formatFlag, rememberNameLayout(score)};
}

}  // namespace shinofu::model
