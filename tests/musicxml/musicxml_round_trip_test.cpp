// Export then import gives the same score, for the project's scores: notes, curves, beams,
// triplets, lyrics, marks, signs and song data, everything both formats hold.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "midi/note_values.h"
#include "model/score_file.h"
#include "musicxml/musicxml_reader.h"
#include "musicxml/musicxml_writer.h"

namespace shinofu {
namespace {

namespace fs = std::filesystem;

// What both formats hold, one line per item, so a failure shows the differing line.
std::string heldBy(const model::Score& score) {
    std::ostringstream out;
    const auto& song = score.song;
    out << "tempo " << song.tempo << " key " << int{song.keySig} << " meter " << int{song.meterIndex} << " flute "
        << song.fluteKey << " parts " << score.partCount << "\n";
    out << "title " << score.title() << " / " << score.composer() << " / " << score.lyricist() << "\n";
    for (int number = 1; number <= score.partCount; ++number) {
        const model::Part& part = score.part(number);
        out << "part " << number << " program " << part.instrument << (part.fClef ? " F" : " G") << "\n";
        // Rests closing the part fill its last measure in MusicXML.
        const model::TNote* last = part.partHead;
        for (const model::TNote* n = part.partHead; n && !n->isEndMarker(); n = n->next) {
            if (model::isStaffPitch(n->pitch)) last = n->next;
        }
        for (const model::TNote* n = part.partHead; n && n != last && !n->isEndMarker(); n = n->next) {
            const bool sounding = model::isStaffPitch(n->pitch);
            out << int{n->pitch} << " acc " << int{n->accidental} << " len " << n->len << " tie " << int{n->tie} << " slur "
                << int{n->slur} << " beam " << int{n->beam} << " triplet " << int{n->triplet} << " stem "
                << (sounding ? n->stemUp : false) << " lyric '" << (n->lyric == " " ? "" : n->lyric) << "'\n";
        }
        // Marks are told apart by their glyph (the file keeps no flag for a fermata); their order is the user's.
        std::vector<std::string> marks;
        for (const model::TMark& mark : part.marks) {
            std::ostringstream line;
            line << "mark at " << mark.anchorPos << " '" << mark.text << "' font " << mark.fontIndex << " breath " << mark.breath
                 << " dynamics " << int{mark.dynamics} << " hairpin " << int{mark.hairpin} << "\n";
            marks.push_back(line.str());
        }
        std::sort(marks.begin(), marks.end());
        for (const std::string& mark : marks) out << mark;
        std::vector<std::pair<int, int>> signs;  // (anchor, kind)
        for (const model::TScoreSym& sign : part.symbols) {
            if (sign.kind != model::kPlainText) signs.emplace_back(sign.anchorPos, sign.kind);
        }
        std::sort(signs.begin(), signs.end());
        for (const auto& [anchor, kind] : signs) out << "sign " << kind << " at " << anchor << "\n";
    }
    return out.str();
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// Reports the first line that differs, not two whole scores.
void expectSameLines(const std::string& expected, const std::string& actual) {
    const auto want = linesOf(expected);
    const auto got = linesOf(actual);
    for (size_t i = 0; i < std::min(want.size(), got.size()); ++i) {
        if (want[i] != got[i]) {
            ADD_FAILURE() << "line " << i + 1 << ": expected\n  " << want[i] << "\nbut got\n  " << got[i];
            return;
        }
    }
    EXPECT_EQ(want.size(), got.size());
}

void expectRoundTrip(const fs::path& file) {
    model::Score original;
    platform::IoError error;
    ASSERT_TRUE(model::loadScoreFile(file, original, model::ReadOptions{}, error)) << error.message;
    // A note over a bar line is two tied notes in MusicXML; that is the score compared with.
    for (int part = 1; part <= original.partCount; ++part) midi::settleNoteValues(original, part);
    const std::string document = musicxml::musicXmlOf(original);
    model::Score imported;
    const musicxml::MusicXmlRead read = musicxml::importMusicXml(document, imported);
    ASSERT_TRUE(read.read) << read.error;
    EXPECT_TRUE(read.notices.empty()) << read.notices.front();
    ASSERT_TRUE(read.fluteKey);
    imported.song.fluteKey = *read.fluteKey;
    expectSameLines(heldBy(original), heldBy(imported));
    // And the second export is the first.
    expectSameLines(document, musicxml::musicXmlOf(imported));
}

TEST(MusicXmlRoundTrip, TheDemoComesBackAsItWent) { expectRoundTrip(fs::path(SHINOFU_SOURCE_DIR) / "data/demo/sakura.gd4"); }

TEST(MusicXmlRoundTrip, EveryGroupCurveMarkAndSignOfTheGalleryComesBack) {
    expectRoundTrip(fs::path(SHINOFU_SOURCE_DIR) / "tests/data/engraving_gallery.gd4");
}

TEST(MusicXmlRoundTrip, TheFingeringScoreComesBack) { expectRoundTrip(fs::path(SHINOFU_SOURCE_DIR) / "tests/data/fingerings.gd4"); }

}  // namespace
}  // namespace shinofu
