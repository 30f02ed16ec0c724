#include <gtest/gtest.h>

#include "edit/lyrics.h"
#include "edit/score_shape.h"
#include "edit_fixture.h"

namespace {

using namespace shinofu;

class ScoreShape : public shinofu::testing::EditTest {};

TEST_F(ScoreShape, TheMeterMovesTheBarLinesAtOnce) {
    read("c1 n n 384 u,d1 n n 96 u");
    EXPECT_TRUE(edit::setMeter(score_, 1));  // 3/4
    EXPECT_EQ(score_.measureLen(), 36);
    EXPECT_FALSE(score_.saved);
    EXPECT_FALSE(edit::setMeter(score_, 1));
    EXPECT_FALSE(edit::setMeter(score_, 9));
}

TEST_F(ScoreShape, ShrinkingKeepsPartsAndGrowingAgainEmptiesThem) {
    read("c1 n n 96 u");
    ASSERT_TRUE(edit::setPartCount(score_, view_, state_, 3));
    model::TNote* note = score_.part(3).partHead;
    note->pitch = 19;
    note->len = 12;
    note->next = score_.allocateNote();
    note->next->prev = note;
    note->next->pitch = model::kEndMarker;
    score_.part(2).visible = false;
    score_.curPart = 3;
    ASSERT_TRUE(edit::setPartCount(score_, view_, state_, 2));
    EXPECT_EQ(score_.partCount, 2);
    EXPECT_EQ(score_.part(3).partHead->pitch, 19);  // kept while ignored
    EXPECT_TRUE(score_.part(2).visible);
    EXPECT_EQ(score_.curPart, 1);
    ASSERT_TRUE(edit::setPartCount(score_, view_, state_, 3));
    EXPECT_TRUE(score_.part(3).partHead->isEndMarker());  // its earlier notes are gone
    EXPECT_FALSE(edit::setPartCount(score_, view_, state_, 7));
}

TEST_F(ScoreShape, LyricsSpreadOverTheNotesAndShift) {
    read("c1 n n 96 u,rest n n 96 u,d1 n n 96 u,e1 n n 96 u");
    edit::spreadLyric(score_, *note(0), "さくら");
    EXPECT_EQ(note(0)->lyric, "さ");
    EXPECT_EQ(note(1)->lyric, "");  // the rest takes none
    EXPECT_EQ(note(2)->lyric, "く");
    EXPECT_EQ(note(3)->lyric, "ら");
    edit::shiftLyricsLater(score_, *note(0));
    EXPECT_EQ(note(0)->lyric, "");
    EXPECT_EQ(note(2)->lyric, "さ");
    EXPECT_EQ(note(3)->lyric, "く");  // the last lyric is dropped
    edit::shiftLyricsEarlier(score_, *note(0));
    EXPECT_EQ(note(0)->lyric, "さ");
    EXPECT_EQ(note(2)->lyric, "く");
    EXPECT_EQ(note(3)->lyric, "");
    EXPECT_EQ(edit::setLyricAndAdvance(score_, *note(3), "よ"), note(3));  // the part ends there
    EXPECT_EQ(note(3)->lyric, "よ");
    edit::clearLyrics(score_, 1);
    EXPECT_EQ(note(0)->lyric, "");
}

}  // namespace
