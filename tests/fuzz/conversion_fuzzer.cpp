// libFuzzer target: any bytes read as the command line reads them (a score file, a MIDI file, a
// MusicXML document or .mxl archive, told apart by their first bytes), then through every writer
// below the windows (the score file, the JSON dump, MusicXML, the performance and the MIDI file,
// the staff page with its layers, the numeric page), then transposed and moved an octave.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "edit/beaming.h"
#include "edit/transposition.h"
#include "midi/perf_builder.h"
#include "midi/performance_pass.h"
#include "midi/smf_import.h"
#include "midi/smf_reader.h"
#include "midi/smf_writer.h"
#include "model/score_budget.h"
#include "model/score_json.h"
#include "model/score_reader.h"
#include "model/score_writer.h"
#include "musicxml/musicxml_reader.h"
#include "musicxml/musicxml_writer.h"
#include "musicxml/mxl_archive.h"
#include "platform/text_codec.h"
#include "support/both_pages.h"

using namespace shinofu;

namespace {

bool readScoreFile(const std::string& bytes, model::Score& score) {
    const std::vector<std::string> lines = platform::decodeLines(bytes);
    if (!model::recognisesScore(lines) || model::scoreLinesOverBudget(lines)) return false;
    model::ReadOptions options;
    options.formatFlag = bytes.size() % 2 == 0;  // both the current and the older layout
    model::readScore(lines, score, options);
    return true;
}

bool readMidi(const std::string& bytes, model::Score& score) {
    const midi::SmfRead read = midi::readSmf(bytes);
    if (!read.file) return false;
    const midi::ImportReport report = midi::importSmf(*read.file, score, "fuzz");
    if (report.refusal) return false;
    for (int part = 1; part <= score.partCount; ++part) edit::beamPart(score, part, true);
    return true;
}

bool readMusicXml(std::string bytes, model::Score& score) {
    if (musicxml::looksLikeZip(bytes)) {
        musicxml::MxlUnpacked unpacked = musicxml::unpackMxl(bytes);
        if (!unpacked.document) return false;
        bytes = std::move(*unpacked.document);
    }
    return musicxml::importMusicXml(bytes, score).read;
}

void writeFiles(model::Score& score) {
    platform::encodeLines(model::scoreFileLines(score));
    size_t jsonBytes = 0;
    model::writeScoreJson(score, [&](std::string_view piece) { jsonBytes += piece.size(); });
    musicxml::musicXmlOf(score);
}

void performAndDraw(model::Score& score) {
    midi::performancePass(score);
    const auto list = midi::buildPerfList(score);
    midi::SmfOptions options;
    options.tempo = score.song.tempo;
    midi::smfBytes(score, *list, options);
    testing::drawBothPages(score);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    model::Score score;
    bool read = false;
    if (bytes.rfind("MThd", 0) == 0) {
        read = readMidi(bytes, score);
    } else if (bytes.rfind("PK", 0) == 0 || bytes.rfind("<", 0) == 0 || bytes.rfind("\xEF\xBB\xBF<", 0) == 0) {
        read = readMusicXml(bytes, score);
    } else {
        read = readScoreFile(bytes, score);
    }
    if (!read) return 0;
    writeFiles(score);
    performAndDraw(score);
    // The command line's --transpose and --octave: what moves pitches is performed and drawn again.
    edit::transpose(score, static_cast<int>(size % 15) - 7);
    edit::shiftPartOctave(score, 1, size % 3 == 0);
    performAndDraw(score);
    return 0;
}
