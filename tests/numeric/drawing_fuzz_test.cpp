// Mutated score files read, drawn as the staff page with its overlay, lyrics, symbols and marks and as the numeric page, each
// within a time budget. SHINOFU_FUZZ_ROUNDS raises the round count for a long run (scripts/fuzz.sh).
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "midi/performance_pass.h"
#include "model/score_reader.h"
#include "model/score_writer.h"
#include "platform/text_codec.h"
#include "support/both_pages.h"

using namespace shinofu;

namespace {

int rounds() {
    const char* configured = std::getenv("SHINOFU_FUZZ_ROUNDS");
    return configured ? std::max(1, std::atoi(configured)) : 150;
}

std::string seedFile() {
    model::Score score;
    for (int i = 0; i < 24; ++i) {
        model::TNote* note = score.appendNote(1);
        note->pitch = static_cast<uint8_t>(1 + (i * 5) % 35);
        note->len = 3 + (i % 4) * 3;
        note->accidental = static_cast<uint8_t>(i % 6);
        note->lyric = "か";
        // Groups of every kind, some left open, so mutations can join, cut and cross them.
        note->beam = static_cast<uint8_t>(i % 4 == 0 ? model::kRoleStart : i % 4 == 3 ? model::kRoleEnd : model::kRoleMiddle);
        note->triplet = static_cast<uint8_t>(i % 6 < 3 ? i % 6 + 1 : 0);
        note->slur = static_cast<uint8_t>(i % 5 == 0 ? model::kRoleStart : i % 5 == 2 ? model::kRoleEndAndStart : 0);
        note->tie = static_cast<uint8_t>(i % 7 == 1 ? model::kRoleStart : i % 7 == 2 ? model::kRoleEnd : 0);
    }
    score.fixedSymbol(model::kTitleSymbol).text = "題名";
    score.part(1).symbols.push_back(model::TScoreSym{});
    for (uint8_t kind : {model::kStop, model::kRepeatLeft, model::kRepeatRight, model::kFirstEnding, model::kDaCapo}) {
        model::TScoreSym sign;
        sign.kind = kind;
        sign.anchorPos = 48 * kind;
        score.part(1).symbols.push_back(sign);
    }
    score.part(1).marks.push_back(model::TMark{});
    for (uint8_t hairpin : {model::kCrescendoStart, model::kCrescendoEnd, model::kDecrescendoStart}) {
        model::TMark mark;
        mark.hairpin = hairpin;
        mark.anchorPos = 40 * hairpin;
        score.part(1).marks.push_back(mark);
    }
    return platform::encodeLines(model::scoreFileLines(score)).bytes;
}

}  // namespace

TEST(DrawingFuzz, MutatedFilesDrawWithinTheirBudget) {
    const std::string seed = seedFile();
    const char* splices[] = {",", ";", "$", "-", " ", "\r\n", "99999999999", "-2147483648", "0", "$START\r\n",
                             "$STARTM\r\n", "$END\r\n", "nw", "x", "c1 n n 0 u,", "b3 x n 8 d,", "65535",
                             "rs", "3s", "sw", "tf", "-9+99+-9", "$Sbrc1", "$Ccrst"};
    std::mt19937 rng(2026);
    const int total = rounds();
    for (int round = 0; round < total; ++round) {
        std::string mutated = seed;
        for (int edits = 0; edits < 6; ++edits) {
            mutated.insert(rng() % mutated.size(), splices[rng() % std::size(splices)]);
        }
        model::Score score;
        model::ReadOptions options;
        options.formatFlag = rng() % 2 == 0;
        model::readScore(platform::decodeLines(mutated), score, options);
        midi::performancePass(score);
        // A page is a few thousand calls; this catches work that grows with a file's numbers.
        ASSERT_LT(shinofu::testing::drawBothPages(score), 2000000u) << "round " << round;
    }
}
