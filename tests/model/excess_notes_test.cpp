#include <gtest/gtest.h>

#include "model/excess_notes.h"
#include "score_builder.h"

using namespace shinofu::model;
using shinofu::testing::addNote;

TEST(ExcessNotes, FirstOverfullMeasurePerPart) {
    Score score;
    score.partCount = 3;
    for (int len : {12, 12, 12, 12, 24, 24, 36, 24}) addNote(score, 1, kMiddleC, len);
    for (int len : {48, 48, 12}) addNote(score, 2, kMiddleC, len);  // the last measure is short, not full
    addNote(score, 3, kMiddleC, 72);
    auto report = checkExcessNotes(score);
    EXPECT_EQ(report.measures[0], 3);  // 36 + 24 overflows the third measure
    EXPECT_FALSE(report.measures[1]);
    EXPECT_EQ(report.measures[2], 1);
    EXPECT_TRUE(report.found());
    score.song.meterIndex = 4;  // 6/8: 36 units
    EXPECT_EQ(firstOverfullMeasure(score, 2), 1);
}
