// Export then import gives the same score, for the project's scores: notes, curves, beams,
// triplets, lyrics, marks, signs and song data, everything both formats hold.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "edit/beaming.h"
#include "edit/mark_commands.h"
#include "midi/note_values.h"
#include "model/score_file.h"
#include "musicxml/musicxml_reader.h"
#include "musicxml/musicxml_writer.h"
#include "support/read_notes.h"

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
        // Beams as drawn: a start opens a group that the first end closes.
        bool beamOpen = false;
        for (const model::TNote* n = part.partHead; n && n != last && !n->isEndMarker(); n = n->next) {
            const bool sounding = model::isStaffPitch(n->pitch);
            const char* beam = !beamOpen && n->beam == model::kRoleStart ? "begin" : !beamOpen ? "-" : n->beam == model::kRoleEnd ? "end" : "in";
            if (n->beam == model::kRoleStart) beamOpen = true;
            if (n->beam == model::kRoleEnd) beamOpen = false;
            out << int{n->pitch} << " acc " << int{n->accidental} << " len " << n->len << " tie " << int{n->tie} << " slur "
                << int{n->slur} << " beam " << beam << " triplet " << int{n->triplet} << " stem "
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
            std::string before;
            for (size_t k = i >= 3 ? i - 3 : 0; k < i; ++k) before += "  " + want[k] + "\n";
            std::string after; for (size_t k = i + 1; k < std::min(want.size(), i + 4); ++k) after += "  " + want[k] + "\n";
            ADD_FAILURE() << "line " << i + 1 << " after\n" << before << "then\n" << after << "expected\n  " << want[i] << "\nbut got\n  " << got[i];
            return;
        }
    }
    const auto& longer = want.size() > got.size() ? want : got;
    if (want.size() != got.size()) {
        ADD_FAILURE() << (want.size() > got.size() ? "missing" : "extra") << " from line " << std::min(want.size(), got.size()) + 1
                      << ":\n  " << longer[std::min(want.size(), got.size())];
    }
}

void expectRoundTrip(model::Score& original) {
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

void expectRoundTrip(const fs::path& file) {
    model::Score original;
    platform::IoError error;
    ASSERT_TRUE(model::loadScoreFile(file, original, model::ReadOptions{}, error)) << error.message;
    expectRoundTrip(original);
}

// A melody of random values, pitches, accidentals, ties, slurs, triplets, lyrics, marks and signs.
void randomScore(model::Score& score, std::mt19937& random, int parts) {
    const auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    score.partCount = parts;
    score.song.keySig = static_cast<uint8_t>(pick(0, 14));
    score.song.meterIndex = static_cast<uint8_t>(pick(0, 4));
    static constexpr int kValues[] = {3, 6, 6, 9, 12, 12, 18, 24, 36, 48};
    for (int part = 1; part <= parts; ++part) {
        score.part(part).visible = true;
        score.part(part).displaySlot = part;
        model::TNote* end = score.part(part).partHead;
        int position = 0;
        for (int i = 0, count = pick(1, 60); i < count; ++i) {
            // Triplets on a beat, inside their measure, as music writes them.
            const int measureLen = std::max(1, score.measureLen());
            const bool triplet = pick(0, 7) == 0 && position % 12 == 0 && position % measureLen + 12 <= measureLen;
            for (int k = 0; k < (triplet ? 3 : 1); ++k) {
                model::TNote* note = midi::insertNoteBefore(score, part, *end);
                note->len = triplet ? 4 : kValues[pick(0, 9)];
                note->pitch = static_cast<uint8_t>(pick(0, 5) == 0 ? model::kRest : pick(8, 30));
                note->accidental = static_cast<uint8_t>(model::isStaffPitch(note->pitch) && pick(0, 3) == 0 ? pick(0, 4) : model::kNoAccidental);
                note->stemUp = note->pitch <= 20;
                note->triplet = static_cast<uint8_t>(triplet ? k + 1 : int{model::kNoRole});
                if (model::isStaffPitch(note->pitch) && pick(0, 3) == 0) note->lyric = "ら";
                if (model::isStaffPitch(note->pitch) && pick(0, 5) == 0) {
                    score.part(part).marks.push_back(edit::dynamicsMark(score, pick(1, 8), position, 1));
                }
                position += note->len;
            }
        }
        // Ties between equal pitches, slurs over a few notes.
        for (model::TNote* note = score.part(part).partHead; !note->isEndMarker() && !note->next->isEndMarker(); note = note->next) {
            model::TNote* next = note->next;
            if (model::isStaffPitch(note->pitch) && pick(0, 4) == 0 && note->tie == model::kNoRole) {
                next->pitch = note->pitch;
                next->accidental = model::kNoAccidental;
                note->tie = model::kRoleStart;
                next->tie = model::kRoleEnd;
            }
        }
        // Slurs over two to four notes, marks on some notes.
        std::vector<model::TNote*> notes;
        for (model::TNote* note = score.part(part).partHead; !note->isEndMarker(); note = note->next) notes.push_back(note);
        for (size_t i = 0; i + 1 < notes.size(); ++i) {
            if (pick(0, 5) != 0) continue;
            const size_t closing = std::min(notes.size() - 1, i + static_cast<size_t>(pick(1, 3)));
            notes[i]->slur = model::kRoleStart;
            for (size_t k = i + 1; k < closing; ++k) notes[k]->slur = model::kRoleMiddle;
            notes[closing]->slur = model::kRoleEnd;
            i = closing;
        }
        score.recomputePositions();
        for (model::TNote* note : notes) {
            if (!model::isStaffPitch(note->pitch) || pick(0, 9) != 0) continue;
            const auto kind = std::array{edit::MarkKind::Fermata, edit::MarkKind::Rit, edit::MarkKind::ATempo, edit::MarkKind::Breath}[pick(0, 3)];
            const int anchor = kind == edit::MarkKind::Breath ? note->endPos : note->startPos;
            score.part(part).marks.push_back(edit::performanceMark(score, kind, anchor, 1));
        }
        midi::settleNoteValues(score, part);
        edit::beamPart(score, part, false);  // a file without beams is beamed by the meter
        const int measures = std::max(1, position / std::max(1, score.measureLen()));
        for (int sign = 0; sign < 2; ++sign) {
            const auto kind = static_cast<model::SymbolKind>(std::array{model::kRepeatLeft, model::kSegno, model::kFine}[pick(0, 2)]);
            const int anchor = pick(0, measures - 1) * score.measureLen();
            auto& symbols = score.part(part).symbols;
            const bool twice = std::any_of(symbols.begin(), symbols.end(), [&](const auto& s) { return s.kind == kind && s.anchorPos == anchor; });
            if (!twice) symbols.push_back(*edit::measureSign(kind, anchor, 1, 130.0));
        }
    }
    score.recomputePositions();
}

TEST(MusicXmlRoundTrip, TheDemoComesBackAsItWent) { expectRoundTrip(fs::path(SHINOFU_SOURCE_DIR) / "data/demo/sakura.gd4"); }

TEST(MusicXmlRoundTrip, EveryGroupCurveMarkAndSignOfTheGalleryComesBack) {
    expectRoundTrip(fs::path(SHINOFU_SOURCE_DIR) / "tests/data/engraving_gallery.gd4");
}

TEST(MusicXmlRoundTrip, AnAccidentalCarriedAnOctaveAwayIsShownToOtherProgramsAsCautionary) {
    model::Score score;
    testing::readNotes(score, {}, {"f2 # n 96,f1 n n 96,f1 n n 96,g1 n n 96"});
    const std::string document = musicxml::musicXmlOf(score);
    // f1 sounds F sharp here by the octave carry; MusicXML would read it as F without the sign.
    const size_t f1 = document.find("<octave>4</octave>");
    ASSERT_NE(f1, std::string::npos);
    EXPECT_NE(document.find("<accidental cautionary=\"yes\">sharp</accidental>", f1), std::string::npos);
    // Once shown, it carries in MusicXML too: the written sharp and that one are all.
    size_t signs = 0;
    for (size_t at = document.find("<accidental"); at != std::string::npos; at = document.find("<accidental", at + 1)) ++signs;
    EXPECT_EQ(signs, 2u);
    model::Score back;
    ASSERT_TRUE(musicxml::importMusicXml(document, back).read);
    std::vector<int> accidentals;
    for (const model::TNote* n : testing::notesOf(back, 1)) accidentals.push_back(n->accidental);
    const int none = model::kNoAccidental;
    EXPECT_EQ(accidentals, (std::vector<int>{model::kSharp, none, none, none}));
}

TEST(MusicXmlRoundTrip, RandomMelodiesComeBack) {
    std::mt19937 random(18);
    for (int round = 0; round < 150; ++round) {
        model::Score score;
        randomScore(score, random, 1 + round % 3);
        SCOPED_TRACE("round " + std::to_string(round));
        expectRoundTrip(score);
        if (::testing::Test::HasFailure()) return;
    }
}

TEST(MusicXmlRoundTrip, TheFingeringScoreComesBack) { expectRoundTrip(fs::path(SHINOFU_SOURCE_DIR) / "tests/data/fingerings.gd4"); }

}  // namespace
}  // namespace shinofu
