// Damaged MusicXML: the exported demo and gallery cut, scrambled and spliced at random are read or
// refused, never crash, and what is read makes a score that writes out again and reads back.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

#include "model/score_file.h"
#include "musicxml/musicxml_reader.h"
#include "musicxml/musicxml_writer.h"

namespace shinofu {
namespace {

namespace fs = std::filesystem;

std::string exported(const fs::path& file) {
    model::Score score;
    platform::IoError error;
    EXPECT_TRUE(model::loadScoreFile(file, score, model::ReadOptions{}, error)) << error.message;
    return musicxml::musicXmlOf(score);
}

std::string mutated(const std::string& document, std::mt19937& random) {
    std::string text = document;
    auto at = [&] { return std::uniform_int_distribution<size_t>(0, text.size() - 1)(random); };
    const int edits = std::uniform_int_distribution<int>(1, 6)(random);
    for (int edit = 0; edit < edits && !text.empty(); ++edit) {
        switch (random() % 5) {
            case 0: text.resize(at()); break;                                         // cut short
            case 1: text[at()] = static_cast<char>(random()); break;                  // a stray byte
            case 2: text.erase(at(), random() % 400); break;                          // a piece gone
            case 3: { const size_t from = at(); text.insert(at(), text.substr(from, random() % 400)); break; }  // spliced
            default: {  // a number made huge or negative
                const size_t digit = text.find_first_of("0123456789", at());
                if (digit != std::string::npos) text.insert(digit, random() % 2 ? "-" : "99999999");
            }
        }
    }
    return text;
}

TEST(MusicXmlMutation, DamagedDocumentsAreReadOrRefusedAndWhatIsReadWritesAgain) {
    const std::string documents[] = {exported(fs::path(SHINOFU_SOURCE_DIR) / "data/demo/sakura.gd4"),
                                     exported(fs::path(SHINOFU_SOURCE_DIR) / "tests/data/engraving_gallery.gd4")};
    std::mt19937 random(20261208);
    int read = 0;
    int refused = 0;
    for (int round = 0; round < 2000; ++round) {
        const std::string damaged = mutated(documents[round % 2], random);
        model::Score score;
        const musicxml::MusicXmlRead result = musicxml::importMusicXml(damaged, score);
        if (!result.read) {
            EXPECT_FALSE(result.error.empty());
            ++refused;
            continue;
        }
        ++read;
        ASSERT_GE(score.partCount, 1);
        ASSERT_LE(score.partCount, model::kMaxParts);
        const std::string again = musicxml::musicXmlOf(score);
        model::Score back;
        EXPECT_TRUE(musicxml::importMusicXml(again, back).read) << "round " << round;
    }
    // Both outcomes occur, or the mutations test nothing.
    EXPECT_GT(read, 100);
    EXPECT_GT(refused, 100);
}

}  // namespace
}  // namespace shinofu
