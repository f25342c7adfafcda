#include <gtest/gtest.h>

#include "layout/CMojikyo.h"
#include "reader/Tl2TestBytes.h"

namespace tavelo {
namespace {

using testing::errorNumberOf;

const String kBodyFont = u"@ＭＳ 明朝";

// --- Numbers with a Mojikyo font ---
TEST(CMojikyoTest, numbersOfTheThreeRanges_giveTheirVerticalMojikyoFont) {
    EXPECT_EQ(CMojikyo::DataChangeName(101), u"@Mojikyo M101");
    EXPECT_EQ(CMojikyo::DataChangeName(121), u"@Mojikyo M121");
    EXPECT_EQ(CMojikyo::DataChangeName(181), u"@Mojikyo M181");
    EXPECT_EQ(CMojikyo::DataChangeName(183), u"@Mojikyo M183");
    EXPECT_EQ(CMojikyo::DataChangeName(186), u"@Mojikyo M186");
    EXPECT_EQ(CMojikyo::DataChangeName(203), u"@Mojikyo M203");
}

TEST(CMojikyoTest, exactly42NumbersHaveAFont) {
    int named = 0;
    for (int number = 0; number <= 255; ++number)
        if (CMojikyo::DataChangeName(number) != kBodyFont) ++named;
    EXPECT_EQ(named, 42);
}

// --- Other numbers ---
TEST(CMojikyoTest, numbersOutsideTheRanges_giveTheBodyFont) {
    for (int number : {0, 100, 122, 180, 184, 185, 204, 255})
        EXPECT_EQ(CMojikyo::DataChangeName(number), kBodyFont) << number;
}

TEST(CMojikyoTest, numberOutsideAByte_isAnOverflow) {
    EXPECT_EQ(errorNumberOf([] { (void)CMojikyo::DataChangeName(256); }), Error::kOverflow);
    EXPECT_EQ(errorNumberOf([] { (void)CMojikyo::DataChangeName(-1); }), Error::kOverflow);
}

}  // namespace
}  // namespace tavelo
