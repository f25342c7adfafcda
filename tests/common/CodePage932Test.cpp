#include <gtest/gtest.h>

#include "common/CodePage932.h"

namespace tavelo {
namespace {

TEST(CodePage932Test, pairs_decodeToOneCharacter) {
    EXPECT_EQ(CodePage932::decodePair(0x8A, 0xBF), u"漢");
    EXPECT_EQ(CodePage932::decodePair(0x81, 0x40), u"　");
    EXPECT_EQ(CodePage932::decodePair(0x81, 0x5B), u"ー");
    EXPECT_EQ(CodePage932::decodePair(0x87, 0x40), u"①");  // NEC special row
}

TEST(CodePage932Test, userDefinedArea_mapsToPrivateUse) {
    EXPECT_EQ(CodePage932::decodePair(0xF0, 0x40), String(1, u'\uE000'));
    EXPECT_EQ(CodePage932::decodePair(0xF9, 0xFC), String(1, u'\uE757'));
}

TEST(CodePage932Test, leadByteWithoutMapping_decodesToMiddleDot) {
    EXPECT_EQ(CodePage932::decodePair(0x85, 0x40), u"・");
    EXPECT_EQ(CodePage932::decodePair(0xEB, 0x40), u"・");
}

TEST(CodePage932Test, pairWhoseFirstByteIsNoLeadByte_decodesToTwoCharacters) {
    EXPECT_EQ(CodePage932::decodePair(0xA1, 0x41), u"｡A");
    EXPECT_EQ(CodePage932::decodePair(0xA0, 0x40), u"\uF8F0@");
}

TEST(CodePage932Test, singleBytes_decodeAsWindowsDoes) {
    EXPECT_EQ(CodePage932::decodeSingle(0x41), u'A');
    EXPECT_EQ(CodePage932::decodeSingle(0xB6), u'ｶ');
    EXPECT_EQ(CodePage932::decodeSingle(0xDE), u'ﾞ');
    EXPECT_EQ(CodePage932::decodeSingle(0x5C), u'\\');
    EXPECT_EQ(CodePage932::decodeSingle(0x80), u'\u0080');
    EXPECT_EQ(CodePage932::decodeSingle(0xFF), u'\uF8F3');
}

TEST(CodePage932Test, encode_roundTripsAndReplacesWhatItCannotHold) {
    EXPECT_EQ(CodePage932::encode(u"@ＭＳ 明朝"), "@\x82\x6c\x82\x72 \x96\xbe\x92\xa9");
    EXPECT_EQ(CodePage932::encode(u"ｶﾝ"), "\xb6\xdd");
    EXPECT_EQ(CodePage932::encode(u"é"), "?");
}

TEST(CodePage932Test, encodeChar_givesOneOrTwoBytesAndRoundTripsWithDecoding) {
    const auto kanji = CodePage932::encodeChar(u'漢');
    EXPECT_EQ(kanji.length, 2);
    EXPECT_EQ(CodePage932::decodePair(static_cast<std::uint8_t>(kanji.bytes[0]),
                                      static_cast<std::uint8_t>(kanji.bytes[1])),
              u"漢");
    const auto kana = CodePage932::encodeChar(u'ｱ');
    EXPECT_EQ(kana.length, 1);
    EXPECT_EQ(static_cast<std::uint8_t>(kana.bytes[0]), 0xB1);
    EXPECT_EQ(CodePage932::encodeChar(u'\0').length, 1);  // NUL is a character too
    EXPECT_EQ(CodePage932::encodeChar(u'\u00E9').bytes[0], '?');
}

}  // namespace
}  // namespace tavelo
