#include <gtest/gtest.h>

#include "reader/CJudgeChrElement.h"

namespace tavelo {
namespace {

using Test = Integer (CJudgeChrElement::*)(Byte) const;

struct ByteClass {
    const char* name;
    Test test;
    std::vector<int> inside;
    std::vector<int> outside;
};

class CJudgeChrElementTest : public ::testing::TestWithParam<ByteClass> {};

TEST_P(CJudgeChrElementTest, classBoundaries_giveMinusOneInsideAndZeroOutside) {
    const CJudgeChrElement judge;
    const ByteClass& byteClass = GetParam();
    for (int b : byteClass.inside)
        EXPECT_EQ((judge.*byteClass.test)(static_cast<Byte>(b)), -1) << std::hex << b;
    for (int b : byteClass.outside)
        EXPECT_EQ((judge.*byteClass.test)(static_cast<Byte>(b)), 0) << std::hex << b;
}

INSTANTIATE_TEST_SUITE_P(
    ByteTests, CJudgeChrElementTest,
    ::testing::Values(ByteClass{"kanjiLead",
                                &CJudgeChrElement::IsKanjiFirstByte,
                                {0x88, 0xEA, 0xF0, 0xF9, 0xA1, 0xA0, 0xDF},
                                {0x87, 0xEB, 0xEF, 0xFA}},
                      ByteClass{"zenkakuLead",
                                &CJudgeChrElement::IsZenkakuNotKanjiFirstByte,
                                {0x81, 0x87},
                                {0x80, 0x88}},
                      ByteClass{"trail",
                                &CJudgeChrElement::IsZenkakuSecondByte,
                                {0x40, 0x7E, 0x80, 0xFC},
                                {0x7F, 0x3F, 0xFD}},
                      ByteClass{"hankana",
                                &CJudgeChrElement::IsHankakuKatakanaDokuten,
                                {0xA4, 0xDF},
                                {0xA1, 0xA2, 0xA3, 0xE0}},
                      ByteClass{"mojiAndSpace",
                                &CJudgeChrElement::IsMojiAndSpace,
                                {0x20, 0x7E, 0xA1, 0xDF},
                                {0x1F, 0x7F, 0xA0, 0xE0}},
                      ByteClass{"alnum",
                                &CJudgeChrElement::IsAlNum,
                                {'0', '9', 'A', 'Z', 'a', 'z'},
                                {'_', 0xC0, '@', '[', '`', '{', '/', ':'}},
                      ByteClass{"lineFeed", &CJudgeChrElement::IsFL, {0x0A}, {0x0D}},
                      ByteClass{"minus", &CJudgeChrElement::IsHankakuMinus, {'-'}, {'+'}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tavelo
