#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "prose/TextDecoder.h"

namespace tavelo::prose {
namespace {

struct DecodeCase {
    const char* name;
    std::string_view bytes;
    std::u32string_view text;
    const char* encoding;
    std::size_t undecodable;
};

// The expected characters were checked against Python's codecs (cp932, utf-8, utf-16), which
// share no code with glibc's iconv.
const DecodeCase kCases[] = {
    // Byte-order marks: the mark is not text; ill-formed sequences are counted.
    {"utf8Bom", "\xEF\xBB\xBF\xE6\x97\xA5\xE6\x9C\xAC\r\n", U"日本\r\n", "utf-8-bom", 0},
    {"utf8BomInvalidByte",
     "\xEF\xBB\xBF"
     "caf\xC3\xA9\xFFx",
     U"café\uFFFDx", "utf-8-bom", 1},
    {"utf8BomTruncatedSequence",
     "\xEF\xBB\xBF"
     "a\xE6\x97",
     U"a\uFFFD", "utf-8-bom", 1},
    {"utf8BomOverlongAndSurrogate", "\xEF\xBB\xBF\xC0\xAF\xED\xA0\x80",
     U"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD", "utf-8-bom", 5},
    {"utf8BomOnly", "\xEF\xBB\xBF", U"", "utf-8-bom", 0},
    {"utf16le", std::string_view("\xFF\xFE\x42\x30\x3D\xD8\x00\xDE\x0D\x00\x0A\x00", 12),
     U"あ\U0001F600\r\n", "utf-16le", 0},
    {"utf16be", std::string_view("\xFE\xFF\x30\x42\xD8\x3D\xDE\x00\x00\x0A", 10), U"あ\U0001F600\n",
     "utf-16be", 0},
    {"utf16leLoneHighSurrogate", std::string_view("\xFF\xFE\x00\xD8\x41\x00", 6), U"\uFFFDA",
     "utf-16le", 1},
    {"utf16leLoneLowSurrogate", std::string_view("\xFF\xFE\x41\x00\x00\xDC", 6), U"A\uFFFD",
     "utf-16le", 1},
    {"utf16beHighSurrogateAtEnd", std::string_view("\xFE\xFF\x00\x41\xD8\x3D", 6), U"A\uFFFD",
     "utf-16be", 1},
    {"utf16leOddFinalByte", std::string_view("\xFF\xFE\x41\x00\x42", 5), U"A\uFFFD", "utf-16le", 1},
    // UTF-8 without a mark: valid throughout and with a multi-byte sequence.
    {"utf8", "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\r\nabc", U"日本語\r\nabc", "utf-8", 0},
    {"utf8FourByte", "\xF0\xA0\xAE\x9F\xE3\x82\x8B", U"\U00020B9Fる", "utf-8", 0},
    {"utf8LongAsciiRun", "0123456789abcdefghij\xC3\xA9", U"0123456789abcdefghijé", "utf-8", 0},
    // Only ASCII: the same text either way, called CP932.
    {"ascii", "plain\ttext\r\nline\rend\n\\~", U"plain\ttext\r\nline\rend\n\\~", "cp932", 0},
    {"empty", "", U"", "cp932", 0},
    // CP932: Microsoft's table (0x8160 WAVE DASH is U+FF5E, 0x815C U+2015, ...).
    {"cp932Kana", "\x82\xA0\x82\xA2\x83\x41", U"あいア", "cp932", 0},
    {"cp932WaveDash", "\x82\xA0\x81\x60", U"あ\uFF5E", "cp932", 0},
    {"cp932HorizontalBar", "\x81\x5C\x81\x5C", U"\u2015\u2015", "cp932", 0},
    {"cp932ParallelAndMinus", "\x81\x61\x81\x7C\x81\x5D", U"\u2225\uFF0D\u2010", "cp932", 0},
    {"cp932CentPoundNot", "\x81\x91\x81\x92\x81\xCA", U"\uFFE0\uFFE1\uFFE2", "cp932", 0},
    {"cp932NecAndIbm", "\x87\x40\xED\x40\xFA\x40", U"①\u7E8A\u2170", "cp932", 0},
    {"cp932HalfWidthKatakana", "\xB1\xDD", U"\uFF71\uFF9D", "cp932", 0},
    {"cp932BackslashAndTilde", "\x5C\x7E\x8C\x8E", U"\\~月", "cp932", 0},
    {"cp932LineEndsKept", "\x82\xA0\r\n\x82\xA2\r\x82\xA4\n", U"あ\r\nい\rう\n", "cp932", 0},
    {"cp932UserDefinedArea", "\xF0\x40", U"\uE000", "cp932", 0},
    // Undecodable CP932: each byte or sequence one U+FFFD, nothing dropped.
    {"cp932SingleBytesWithoutMapping", "\x82\xA0\x80\xA0\xFD\xFE\xFF",
     U"あ\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD", "cp932", 5},
    {"cp932LeadThenAscii", "\x82\xA0\x81\x20x", U"あ\uFFFD x", "cp932", 1},
    {"cp932UnmappedPairWithAsciiTrail", "\x82\xA0\x85\x40", U"あ\uFFFD@", "cp932", 1},
    {"cp932UnmappedPair", "\x82\xA0\x85\x9F\x82\xA2", U"あ\uFFFDい", "cp932", 1},
    {"cp932Mixed", "\x82\xA0\x80\x82\xA2\xFF\x82\xA4", U"あ\uFFFDい\uFFFDう", "cp932", 2},
    {"cp932TruncatedFinalLeadByte", "\x82\xA0\x82", U"あ\uFFFD", "cp932", 1},
    {"cp932OnlyALeadByte", "\x88", U"\uFFFD", "cp932", 1},
    // Almost UTF-8: one ill-formed sequence makes the whole file CP932.
    {"utf8WithOneBadByte", "\xE6\x97\xA5\x82\xA0", U"\u8B4C\uFF65あ", "cp932", 0},
};

class DecodeTest : public testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeTest, decodes) {
    const DecodeCase& c = GetParam();
    const DecodedText decoded = decodeText(c.bytes);
    EXPECT_EQ(decoded.text, c.text);
    EXPECT_EQ(decoded.encoding, c.encoding);
    EXPECT_EQ(decoded.undecodable, c.undecodable);
}

INSTANTIATE_TEST_SUITE_P(TextDecoder, DecodeTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<DecodeCase>& info) {
                             return std::string(info.param.name);
                         });

// The decoder goes through the input in large pieces: a long CP932 text with bad bytes
// scattered through it keeps every character in its place.
TEST(TextDecoderTest, longCp932Text_keepsEveryCharacterInPlace) {
    std::string bytes;
    std::u32string expected;
    for (int i = 0; i < 100000; ++i) {
        bytes += "\x82\xA0\x81\x60";  // あ～
        expected += U"あ\uFF5E";
        if (i % 1000 == 999) {
            bytes += '\x80';
            expected += U'\uFFFD';
        }
        if (i % 100 == 0) {
            bytes += "\r\n";
            expected += U"\r\n";
        }
    }
    const DecodedText decoded = decodeText(bytes);
    EXPECT_EQ(decoded.encoding, "cp932");
    EXPECT_EQ(decoded.undecodable, 100u);
    EXPECT_EQ(decoded.text, expected);
}

TEST(TextDecoderTest, everyDoubleByteCode_isOneCharacterOrCounted) {
    // Each pair followed by a space gives one code point and the space, or, for a pair that
    // does not decode, U+FFFD and (when the trail byte is ASCII) the trail byte itself.
    // Python's cp932 maps 9604 of the pairs.
    int mapped = 0;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (lead > 0x9F && lead < 0xE0) continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            const std::string bytes{static_cast<char>(lead), static_cast<char>(trail), ' '};
            const DecodedText decoded = decodeText(bytes);
            ASSERT_EQ(decoded.encoding, "cp932");
            if (decoded.undecodable == 0) {
                ++mapped;
                EXPECT_EQ(decoded.text.size(), 2u) << lead << ' ' << trail;
                EXPECT_NE(decoded.text[0], U'\uFFFD');
                continue;
            }
            ASSERT_EQ(decoded.undecodable, 1u) << lead << ' ' << trail;
            const std::u32string expected =
                trail < 0x80 ? std::u32string{U'\uFFFD', static_cast<char32_t>(trail), U' '}
                             : std::u32string{U'\uFFFD', U' '};
            EXPECT_EQ(decoded.text, expected) << lead << ' ' << trail;
        }
    }
    EXPECT_EQ(mapped, 9604);
}

}  // namespace
}  // namespace tavelo::prose
