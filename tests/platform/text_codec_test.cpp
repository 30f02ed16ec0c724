#include "platform/text_codec.h"

#include <gtest/gtest.h>

using shinofu::platform::decodeLines;
using shinofu::platform::encodeLines;
using shinofu::platform::TextCodec;

TEST(TextCodec, JapaneseRoundTripsThroughCp932) {
    const std::string text = "さくらさくら 一本 十二本 ＭＳ Ｐ明朝 ｶﾀｶﾅ ①";
    auto encoded = TextCodec::encode(text);
    EXPECT_TRUE(encoded.unmapped.empty());
    EXPECT_EQ(TextCodec::decode(encoded.bytes), text);
}

TEST(TextCodec, KnownBytes) {
    EXPECT_EQ(TextCodec::encode("本").bytes, "\x96\x7b");
    EXPECT_EQ(TextCodec::decode("\x82\xa0"), "あ");
    // 0x5C stays a backslash: the "to Coda" sign is that character.
    EXPECT_EQ(TextCodec::encode("\\").bytes, "\\");
    EXPECT_EQ(TextCodec::decode("\\"), "\\");
    EXPECT_EQ(TextCodec::encode("～").bytes, "\x81\x60");
}

TEST(TextCodec, InvalidBytesBecomeReplacementWithoutStopping) {
    EXPECT_EQ(TextCodec::decode("a\xff" "b"), "a\xEF\xBF\xBD" "b");
    // A lead byte at the very end is an incomplete character.
    EXPECT_EQ(TextCodec::decode("ab\x82"), "ab\xEF\xBF\xBD");
    // A lead byte followed by a byte that cannot trail loses only itself.
    EXPECT_EQ(TextCodec::decode("\x82\x20" "x"), "\xEF\xBF\xBD x");
}

TEST(TextCodec, UnmappedCharactersAreReportedOnce) {
    auto encoded = TextCodec::encode("a😀b😀c한");
    EXPECT_EQ(encoded.bytes, "a?b?c?");
    ASSERT_EQ(encoded.unmapped.size(), 2u);
    EXPECT_EQ(encoded.unmapped[0], "😀");
    EXPECT_EQ(encoded.unmapped[1], "한");
}

TEST(TextCodec, SjisLengthCountsBytes) {
    EXPECT_EQ(TextCodec::sjisLength("abc"), 3);
    EXPECT_EQ(TextCodec::sjisLength("さくら"), 6);
    EXPECT_EQ(TextCodec::sjisLength("ｱ"), 1);  // half-width katakana is one byte
    EXPECT_EQ(TextCodec::sjisLength(""), 0);
}

TEST(TextLines, CrLfLfAndMissingFinalBreak) {
    auto lines = decodeLines("one\r\ntwo\nthree");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "one");
    EXPECT_EQ(lines[1], "two");
    EXPECT_EQ(lines[2], "three");
    EXPECT_TRUE(decodeLines("").empty());
    EXPECT_EQ(decodeLines("\r\n").size(), 1u);
    EXPECT_EQ(encodeLines({"a", "", "本"}).bytes, "a\r\n\r\n\x96\x7b\r\n");
}
