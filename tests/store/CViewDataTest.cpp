#include <gtest/gtest.h>

#include "reader/Tl2TestBytes.h"
#include "store/CViewData.h"

namespace tavelo {
namespace {

using testing::errorNumberOf;

class CViewDataTest : public ::testing::Test {
protected:
    CViewData view;
};

// --- ID ---
TEST_F(CViewDataTest, idWrittenTwice_keepsTheFirstText) {
    view.ID(u"9:05:31 sample.tl2");
    view.ID(u"9:05:32 other.tl2");
    EXPECT_EQ(view.ID(), u"9:05:31 sample.tl2");
}

// --- Line records ---
TEST_F(CViewDataTest, afterGyouArraySize_linesReadEmptyWithinTheirFixedLimits) {
    view.GyouArraySize(2);
    EXPECT_EQ(view.Bun(1), u"");
    EXPECT_EQ(view.FontData(2, 60), u"");
    EXPECT_FALSE(view.ReversalChar(2, 60));
    EXPECT_FALSE(view.IsKanjiRubi(2, 120));
    EXPECT_EQ(errorNumberOf([&] { (void)view.FontData(2, 61); }), Error::kSubscriptOutOfRange);
    EXPECT_EQ(errorNumberOf([&] { (void)view.IsKanjiRubi(1, 121); }), Error::kSubscriptOutOfRange);
    EXPECT_EQ(errorNumberOf([&] { (void)view.Bun(3); }), Error::kSubscriptOutOfRange);
    EXPECT_EQ(errorNumberOf([&] { view.ReversalChar(1, 0, true); }), Error::kSubscriptOutOfRange);
}

TEST_F(CViewDataTest, eachLine_hasItsOwnCells) {
    view.GyouArraySize(2);
    view.FontData(1, 4, u"M101");
    view.IsKanjiRubi(1, 2, true);
    EXPECT_EQ(view.FontData(2, 4), u"");
    EXPECT_FALSE(view.IsKanjiRubi(2, 2));
    EXPECT_TRUE(view.IsKanjiRubi(1, 2));
}

TEST_F(CViewDataTest, beforeGyouArraySize_perLineDataFails) {
    EXPECT_EQ(errorNumberOf([&] { (void)view.Bun(1); }), Error::kSubscriptOutOfRange);
    EXPECT_EQ(errorNumberOf([&] { (void)view.LenBunDan(1); }), Error::kSubscriptOutOfRange);
    EXPECT_EQ(errorNumberOf([&] { view.ReversalChar(1, 1, true); }), Error::kSubscriptOutOfRange);
    EXPECT_EQ(errorNumberOf([&] { (void)view.LenBigRubiDan(0, 1); }), Error::kSubscriptOutOfRange);
}

TEST_F(CViewDataTest, writingGyouArraySizeAgain_emptiesAllLineDataWithTheHighlights) {
    view.GyouArraySize(2);
    view.Bun(1, u"漢字");
    view.ReversalChar(1, 2, true);
    view.LenBunDan(1, 2);
    view.LenBigBunDan(1, 2, 7);
    view.GyouArraySize(2);
    EXPECT_EQ(view.Bun(1), u"");
    EXPECT_FALSE(view.ReversalChar(1, 2));
    EXPECT_EQ(view.LenBunDan(1), 0);
    EXPECT_EQ(view.LenBigBunDan(1, 2), 0);
}

// --- Position tables ---
TEST_F(CViewDataTest, maxBunDanFiveWithTwoLines_givesTwoByFiveAndTwoByTwenty) {
    view.GyouArraySize(2);
    view.MaxBunDan(5);
    view.position(PositionTables::kBigBunY, 2, 5, 40);
    EXPECT_EQ(view.position(PositionTables::kBigBunY, 2, 5), 40);
    EXPECT_EQ(errorNumberOf([&] { view.position(PositionTables::kSmallBunX, 2, 6, 1); }),
              Error::kSubscriptOutOfRange);
    EXPECT_EQ(errorNumberOf([&] { view.position(PositionTables::kSmallBunX, 3, 1, 1); }),
              Error::kSubscriptOutOfRange);
    view.position(PositionTables::kBigRubiX, 2, 20, 3);
    EXPECT_EQ(view.position(PositionTables::kBigRubiX, 2, 20), 3);
    EXPECT_EQ(errorNumberOf([&] { view.position(PositionTables::kSmallRubiY, 1, 21, 1); }),
              Error::kSubscriptOutOfRange);
}

TEST_F(CViewDataTest, positionsBeforeMaxBunDan_fail) {
    view.GyouArraySize(2);
    EXPECT_EQ(errorNumberOf([&] { (void)view.position(PositionTables::kSmallBunX, 1, 1); }),
              Error::kSubscriptOutOfRange);
    EXPECT_EQ(errorNumberOf(
                  [&] { view.position(PositionTables::kBigRubiY, 1, 1, Error::kInvalidArgument); }),
              9);
}

TEST_F(CViewDataTest, positionIndex_isAByte) {
    view.GyouArraySize(1);
    view.MaxBunDan(5);
    EXPECT_EQ(errorNumberOf([&] { view.position(PositionTables::kSmallBunX, 1, 256, 1); }),
              Error::kOverflow);
    EXPECT_EQ(errorNumberOf([&] { (void)view.position(PositionTables::kSmallRubiX, 1, -1); }),
              Error::kOverflow);
}

TEST_F(CViewDataTest, linesLongerThanTheTablesFromMaxBunDan_widenThemAndKeepPositions) {
    view.GyouArraySize(2);
    view.MaxBunDan(5);
    view.position(PositionTables::kSmallBunX, 1, 5, 77);
    view.position(PositionTables::kSmallRubiY, 2, 20, 88);
    view.LenBunDan(2, 8);
    view.LenRubiDan(1, 30);
    view.position(PositionTables::kSmallBunX, 2, 8, 1);
    view.position(PositionTables::kBigRubiY, 1, 30, 2);
    EXPECT_EQ(view.position(PositionTables::kSmallBunX, 1, 5), 77);
    EXPECT_EQ(view.position(PositionTables::kSmallRubiY, 2, 20), 88);
    EXPECT_EQ(view.position(PositionTables::kBigRubiY, 1, 30), 2);
    EXPECT_EQ(view.MaxBunDan(), 5);
    // The fixed per-line limits stay.
    view.LenBunDan(1, 70);
    EXPECT_EQ(errorNumberOf([&] { view.FontData(1, 61, u"x"); }), Error::kSubscriptOutOfRange);
}

TEST_F(CViewDataTest, maxBunDanWrittenAfterTheLengths_coversThemToo) {
    view.GyouArraySize(1);
    view.LenRubiDan(1, 40);
    view.MaxBunDan(5);
    view.position(PositionTables::kSmallRubiX, 1, 40, 9);
    EXPECT_EQ(view.position(PositionTables::kSmallRubiX, 1, 40), 9);
}

// --- Styles and tiers ---
TEST_F(CViewDataTest, styleOrTierOutsideZeroToOne_isSubscriptOutOfRange) {
    view.GyouArraySize(1);
    EXPECT_EQ(errorNumberOf([&] { view.FontSizeBun(2, 10); }), Error::kSubscriptOutOfRange);
    EXPECT_EQ(errorNumberOf([&] { (void)view.CharSpace(-1); }), Error::kSubscriptOutOfRange);
    EXPECT_EQ(errorNumberOf([&] { view.LenBigBunDan(2, 1, 1); }), Error::kSubscriptOutOfRange);
}

// --- Memory ---
TEST_F(CViewDataTest, memoryBytes_countLinesAndTheirTexts) {
    view.GyouArraySize(1);
    view.MaxBunDan(10);
    const std::size_t oneLine = view.MemoryBytes();
    view.Bun(1, String(200, u'字'));
    EXPECT_GE(view.MemoryBytes(), oneLine + 400);

    CViewData larger;
    larger.GyouArraySize(100);
    larger.MaxBunDan(10);
    EXPECT_GT(larger.MemoryBytes(), 50 * oneLine);
}

}  // namespace
}  // namespace tavelo
