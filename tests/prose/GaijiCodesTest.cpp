#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>

#include "prose/GaijiCodes.h"

namespace tavelo::prose {
namespace {

struct GaijiCase {
    const char* name;
    std::u32string_view body;
    std::optional<std::u32string_view> character;
};

// The characters were checked with Python's euc_jis_2004 codec (which shares no code with
// glibc's iconv) and, for the kanji, against the note's own description of the shape.
const GaijiCase kCases[] = {
    {"level3Plane1", U"「木＋内」、第3水準1-85-54", U"\u6798"},                // 枘
    {"level3TeHenRetsu", U"「てへん＋劣」、第3水準1-84-77", U"\u6318"},        // 挘
    {"level3TsuchiHenYou", U"「土へん＋庸」、第3水準1-15-60", U"\u5889"},      // 墉
    {"level3Jis2004Addition", U"「にんべん＋具」、第3水準1-14-1", U"\u4FF1"},  // 俱
    {"level3OutsideBmp", U"「口＋七」、第3水準1-47-52", U"\U00020B9F"},        // 𠮟
    {"level4Plane2", U"「…」、第4水準2-1-3", U"\u4E0F"},                       // 丏
    {"level4OutsideBmp", U"「…」、第4水準2-94-86", U"\U0002A6B2"},             // 𪚲
    {"level4Plane2FirstCell", U"第4水準2-1-1", U"\U00020089"},                 // 𠂉
    {"fullWidthDigits", U"「木＋内」、第３水準１－８５－５４", U"\u6798"},
    {"codeAtStartOfBody", U"第3水準1-85-54、ページ数-行数", U"\u6798"},
    // Codes that give two code points (a base and a combining mark).
    {"kanaWithHandakuten", U"半濁点付き平仮名か、1-4-87", U"\u304B\u309A"},  // か゚
    {"aeWithGrave", U"グレーブアクセント付きAE小文字、1-11-36", U"\u00E6\u0300"},
    // Characters that are not kanji carry no 第N水準.
    {"bareCodeNinojiten", U"二の字点、1-2-22", U"\u303B"},             // 〻
    {"bareCodeFinalSigma", U"ファイナルシグマ、1-6-57", U"\u03C2"},    // ς
    {"bareCodeAfterDigitInName", U"ローマ数字1、1-13-21", U"\u2160"},  // Ⅰ
    // Unicode codes, wherever they are in the body.
    {"unicodeCode", U"「口＋世」、U+546D、ページ数-行数", U"\u546D"},
    {"unicodeCodeLowerCase", U"「口＋世」、u+546d、135-7", U"\u546D"},
    {"unicodeCodeOutsideBmp", U"「…」、U+2A6B2", U"\U0002A6B2"},
    {"unicodeCodeFirst", U"U+9DD7", U"\u9DD7"},
    // No usable code: nothing.
    {"pageAndLineOnly", U"「口＋世」、ページ数-行数", std::nullopt},
    {"pageAndLineNumbers", U"「口＋世」、135-7", std::nullopt},
    {"pageInTwoColumns", U"「口＋世」、135-上-7", std::nullopt},
    {"empty", U"", std::nullopt},
    {"unmappedPlane2Row", U"第4水準2-2-1", std::nullopt},
    {"rowOutOfRange", U"第3水準1-95-1", std::nullopt},
    {"cellZero", U"第3水準1-85-0", std::nullopt},
    {"planeThree", U"第3水準3-1-1", std::nullopt},
    {"codeWithExtraPart", U"第3水準1-85-54-2", std::nullopt},
    {"unicodeTooShort", U"U+54", std::nullopt},
    {"unicodeTooLong", U"U+1234567", std::nullopt},
    {"unicodeSurrogate", U"U+D800", std::nullopt},
    {"unicodeBeyondRange", U"U+110000", std::nullopt},
};

class GaijiTest : public testing::TestWithParam<GaijiCase> {};

TEST_P(GaijiTest, character) {
    const GaijiCase& c = GetParam();
    const std::optional<std::u32string> character = gaijiCharacter(c.body);
    ASSERT_EQ(character.has_value(), c.character.has_value());
    if (character) {
        EXPECT_EQ(*character, *c.character);
    }
}

INSTANTIATE_TEST_SUITE_P(GaijiCodes, GaijiTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<GaijiCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(GaijiCodesTest, converterIsReusedAcrossCalls) {
    // Many lookups through the one cached converter; an unmapped code between them does not
    // leave it in a state that spoils the next.
    for (int i = 0; i < 1000; ++i) {
        ASSERT_EQ(gaijiCharacter(U"第3水準1-4-87"), std::u32string(U"\u304B\u309A"));
        ASSERT_FALSE(gaijiCharacter(U"第4水準2-2-1").has_value());
        ASSERT_EQ(gaijiCharacter(U"第3水準1-85-54"), std::u32string(U"\u6798"));
    }
}

}  // namespace
}  // namespace tavelo::prose
