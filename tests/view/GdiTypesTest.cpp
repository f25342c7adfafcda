#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cstring>
#include <type_traits>
#include <utility>
#include <vector>

#include "view/GdiTypes.h"

namespace tavelo {
namespace {

// ---- Handles and colours

TEST(GdiTypesTest, handlesAndColours_keepTheirGdiMeaning) {
    static_assert(!std::is_convertible_v<HFONT, HDC>, "a font is no device context");
    static_assert(!std::is_convertible_v<HGDIOBJ, HFONT>, "an object is not always a font");
    static_assert(!std::is_convertible_v<std::uint32_t, HFONT>, "numbers are no handles");
    EXPECT_FALSE(HFONT());
    EXPECT_EQ(HGDIOBJ(HFONT(0x1234)).value(), 0x1234u);
    EXPECT_EQ(RGB(0, 0, 255), 0x00FF0000u);
    EXPECT_EQ(RGB(0x12, 0x34, 0x56), 0x00563412u);
    EXPECT_EQ(greenOf(RGB(200, 30, 60)), BYTE{30});
}

// ---- MulDiv

struct MulDivCase {
    int a, b, c;
    int expected;
};

void expectMulDiv(const std::vector<MulDivCase>& cases) {
    for (const MulDivCase& row : cases)
        EXPECT_EQ(MulDiv(row.a, row.b, row.c), row.expected)
            << "MulDiv(" << row.a << ", " << row.b << ", " << row.c << ")";
}

TEST(GdiTypesTest, mulDiv_roundsToNearestWithHalvesAwayFromZero) {
    expectMulDiv({
        {10, 96, 72, 13},  // 13.33
        {17, 96, 72, 23},  // 22.67
        {3, 1, 2, 2},
        {-3, 1, 2, -2},
        {3, -1, 2, -2},
        {5, 1, -2, -3},
        {-5, 1, -2, 3},
        {-5, 1, 4, -1},  // -1.25
    });
}

TEST(GdiTypesTest, mulDiv_formsTheProductInSixtyFourBits_andFailsWithMinusOne) {
    expectMulDiv({
        {INT_MAX, INT_MAX, INT_MAX, INT_MAX},
        {INT_MIN, 1, 1, INT_MIN},
        {12, 96, 0, -1},
        {INT_MAX, 2, 1, -1},
        {INT_MIN, -1, 1, -1},
    });
}

// ---- Face names

TEST(GdiTypesTest, setFaceName_writesCodePage932BytesTerminatorAndClearsTheRest) {
    LOGFONTA font;
    setFaceName(font, u"@Mojikyo M101");
    setFaceName(font, u"@ＭＳ 明朝");
    const char expected[] = "@\x82\x6c\x82\x72 \x96\xbe\x92\xa9";
    EXPECT_EQ(std::memcmp(font.lfFaceName, expected, sizeof expected), 0);  // with the zero
    for (std::size_t i = sizeof expected; i < sizeof font.lfFaceName; ++i)
        EXPECT_EQ(font.lfFaceName[i], '\0') << "byte " << i;
    EXPECT_EQ(faceName(font), String(u"@ＭＳ 明朝"));

    const String longest = String(15, u'明') + u"x";  // 31 bytes
    setFaceName(font, longest);
    EXPECT_EQ(faceName(font), longest);
}

TEST(GdiTypesTest, setFaceName_nameWithoutRoomForTheTerminator_writesTheEmptyName) {
    for (const String& name : {String(32, u'x'), String(16, u'明'), String(200, u'y')}) {
        LOGFONTA font;
        setFaceName(font, u"@ＭＳ 明朝");
        setFaceName(font, name);
        EXPECT_EQ(faceName(font), String()) << "a name of " << name.size() << " characters";
    }
}

TEST(GdiTypesTest, faceName_neverWritesOrReadsPastTheField) {
    // The face is the last field: guard bytes right behind it must survive any name.
    struct Guarded {
        LOGFONTA font;
        std::array<unsigned char, 16> guard;
    } guarded{};
    guarded.guard.fill(0xAA);
    for (const String& name :
         {String(31, u'a'), String(33, u'c'), String(40, u'明'), String(1000, u'z')}) {
        setFaceName(guarded.font, name);
        for (const unsigned char byte : guarded.guard)
            EXPECT_EQ(byte, 0xAA) << "after a name of " << name.size() << " characters";
    }
    std::memset(guarded.font.lfFaceName, 'Q', sizeof guarded.font.lfFaceName);
    EXPECT_EQ(faceName(guarded.font), String(32, u'Q'));  // no terminator: the field and no more
}

// ---- TextOutA text

TEST(GdiTypesTest, ansiText_zeroByteEndsTheText_andDoubleBytesAreFlagged) {
    EXPECT_EQ(decodeAnsiText("A\0", 2), String(u"A"));
    EXPECT_EQ(decodeAnsiText("AB\0CD", 5), String(u"AB"));
    EXPECT_EQ(decodeAnsiText(nullptr, 2), String());
    EXPECT_EQ(decodeAnsiText("A", -1), String());

    std::vector<std::pair<char16_t, bool>> seen;
    forEachAnsiCharacter(
        "\x8a\xbf"
        "A\xb6",
        4, [&seen](char16_t c, bool doubleByte) { seen.emplace_back(c, doubleByte); });
    const std::vector<std::pair<char16_t, bool>> expected{
        {u'漢', true}, {u'A', false}, {u'ｶ', false}};
    EXPECT_EQ(seen, expected);
}

TEST(GdiTypesTest, ansiText_leadByteWithoutTrail_isOneCharacter) {
    EXPECT_EQ(decodeAnsiText("\x8a", 1), String(u"・"));
    EXPECT_EQ(decodeAnsiText("\x8a\0", 2), String(u"・"));  // the zero is no trail byte
}

}  // namespace
}  // namespace tavelo
