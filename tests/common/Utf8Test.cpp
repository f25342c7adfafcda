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

}  // namespace
}  // namespace tavelo
