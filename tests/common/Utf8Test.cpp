#include <gtest/gtest.h>

#include "common/Utf8.h"

namespace tavelo {
namespace {

TEST(Utf8Test, roundTrip_keepsBmpAndSupplementaryCharacters) {
    const String text = u"漢字 ｶﾝ a \U00020B9F";
    EXPECT_EQ(utf8::toUtf16(utf8::fromUtf16(text)), text);
    EXPECT_EQ(utf8::fromUtf16(u"明"), "\xe6\x98\x8e");
}

TEST(Utf8Test, malformedInput_becomesReplacementCharacters) {
    EXPECT_EQ(utf8::toUtf16("a\xff"
                            "b"),
              u"a\uFFFDb");
    EXPECT_EQ(utf8::toUtf16("\xe6\x98"), u"\uFFFD\uFFFD");
    EXPECT_EQ(utf8::toUtf16("\xc0\xaf"), u"\uFFFD\uFFFD");  // overlong
    EXPECT_EQ(utf8::fromUtf16(String(1, u'\xD800')), "\xef\xbf\xbd");
}

TEST(Utf8Test, isValid_acceptsExactlyWhatDecodesWithoutReplacement) {
    for (const char* text : {"", "abc", "\xe6\x98\x8e", "\xf0\x9f\x98\x80"})
        EXPECT_TRUE(utf8::isValid(text)) << text;
    // Shift-JIS, a cut sequence, overlong, a surrogate, beyond U+10FFFF.
    for (const char* text :
         {"\x8a\xbf", "\xe6\x98", "\xc0\xaf", "\xed\xa0\x80", "\xf4\x90\x80\x80"})
        EXPECT_FALSE(utf8::isValid(text)) << text;
}

TEST(Utf8Test, codePoints_agreeWithTheUtf16Path_andReplaceWhatIsNoCharacter) {
    const std::u32string text = U"明a\U00020B9Fか\u309A";
    const String utf16 = utf8::utf32ToUtf16(text);
    EXPECT_EQ(utf16, u"明a\U00020B9Fか\u309A");
    EXPECT_EQ(utf8::utf16ToUtf32(utf16), text);
    EXPECT_EQ(utf8::utf16ToUtf32(std::u16string{0xDC00, u'a', 0xD800}), U"\uFFFDa\uFFFD");
    EXPECT_EQ(utf8::fromUtf32(text), utf8::fromUtf16(utf16));
    EXPECT_EQ(utf8::fromUtf32(std::u32string{0xD800, 0x110000}), "\xef\xbf\xbd\xef\xbf\xbd");
    EXPECT_EQ(utf8::utf32ToUtf16(std::u32string{0xDFFF}), u"\uFFFD");
}

}  // namespace
}  // namespace tavelo
