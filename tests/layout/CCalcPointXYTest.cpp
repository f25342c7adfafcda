#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "layout/CCalcPointXY.h"
#include "support/FixedMeasuringDevice.h"
#include "reader/Tl2TestBytes.h"

namespace tavelo {
namespace {

using testing::errorNumberOf;

// A font as tall as its size in pixels at 96 pixels per inch.
Single emHeight(Single points) {
    return std::round(points * 4 / 3);
}

struct Line {
    Integer bun;
    Integer rubi;
};

class CCalcPointXYTest : public ::testing::Test {
protected:
    // Gives the calculator the device and the lines in the order the open command does; M is
    // the longest body line.
    void feed(Integer standard, const std::vector<Line>& lines) {
        calc.Device1(&device);
        calc.GyouArraySize(static_cast<Integer>(lines.size()));
        Integer longest = 0;
        for (const Line& line : lines) longest = std::max(longest, line.bun);
        calc.MaxBunDan(longest);
        calc.Plusminus1MaxLenDan(standard);
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const auto g = static_cast<Integer>(i + 1);
            calc.LenBunDan(g, lines[i].bun);
            calc.LenRubiDan(g, lines[i].rubi);
        }
    }

    // The worked example: 600 x 400, P = 20, lines of 20, 19 and 21 characters with 40, 38 and
    // 42 ruby slots, slot (1, 1) a bracketed kanji.
    void layOutExample() {
        feed(20, {{20, 40}, {19, 38}, {21, 42}});
        calc.IsKanjiRubi(1, 1, true);
        calc.CalcSmallFontPointXY();
        calc.CalcBigFontPointXY();
    }

    using Point = std::pair<Long, Long>;
    Point smallBun(Integer g, int k) {
        return {calc.position(PositionTables::kSmallBunX, g, k),
                calc.position(PositionTables::kSmallBunY, g, k)};
    }
    Point bigBun(Integer g, int k) {
        return {calc.position(PositionTables::kBigBunX, g, k),
                calc.position(PositionTables::kBigBunY, g, k)};
    }
    Point smallRubi(Integer g, int k) {
        return {calc.position(PositionTables::kSmallRubiX, g, k),
                calc.position(PositionTables::kSmallRubiY, g, k)};
    }
    Point bigRubi(Integer g, int k) {
        return {calc.position(PositionTables::kBigRubiX, g, k),
                calc.position(PositionTables::kBigRubiY, g, k)};
    }

    FixedMeasuringDevice device{600, 400, emHeight};
    CCalcPointXY calc;
};

// --- The worked example, small style ---
TEST_F(CCalcPointXYTest, example_smallStyle_pitchIsTheUsedHeightOverPPlusOne) {
    layOutExample();
    EXPECT_EQ(calc.CharSpace(0), 18.142857f);  // nearest(20/21 * 400) = 381, / 21
    EXPECT_EQ(calc.FontSizeBun(0), 12);        // 14 points are 19 pixels, taller than 18.14
    EXPECT_EQ(calc.FontSizeRubi(0), 6);
}

TEST_F(CCalcPointXYTest, example_smallStyle_bodyMatchesToThePixel) {
    layOutExample();
    EXPECT_EQ(smallBun(1, 1), Point(581, 18));
    EXPECT_EQ(smallBun(1, 2), Point(581, 36));
    EXPECT_EQ(smallBun(1, 3), Point(581, 54));
    EXPECT_EQ(smallBun(1, 20), Point(581, 362));
    // 19 characters are spread by 20/19, 21 compressed by 20/21.
    EXPECT_EQ(smallBun(2, 1), Point(545, 18));
    EXPECT_EQ(smallBun(2, 2), Point(545, 37));
    EXPECT_EQ(smallBun(2, 19), Point(545, 361));
    EXPECT_EQ(smallBun(3, 1), Point(509, 18));
    EXPECT_EQ(smallBun(3, 2), Point(509, 35));
    EXPECT_EQ(smallBun(3, 21), Point(509, 363));
}

TEST_F(CCalcPointXYTest, example_smallStyle_rubyMatchesToThePixel) {
    layOutExample();
    EXPECT_EQ(smallRubi(1, 1), Point(591, 18));  // the flagged slot, moved right
    EXPECT_EQ(smallRubi(1, 2), Point(590, 27));
    EXPECT_EQ(smallRubi(1, 40), Point(590, 371));
    EXPECT_EQ(smallRubi(2, 2), Point(554, 27));
    EXPECT_EQ(smallRubi(2, 38), Point(554, 371));
}

// --- The worked example, large style ---
TEST_F(CCalcPointXYTest, example_largeStyle_pitchAndFontSizesComeFromTheHalfLength) {
    layOutExample();
    EXPECT_EQ(calc.CharSpace(1), 33.090908f);  // nearest(10/11 * 400) = 364, / 11
    EXPECT_EQ(calc.FontSizeBun(1), 24);
    EXPECT_EQ(calc.FontSizeRubi(1), 12);
}

TEST_F(CCalcPointXYTest, example_largeStyle_tiersSplitAtHalfTheStandardLength) {
    layOutExample();
    const std::vector<std::pair<Integer, Integer>> bun = {{10, 10}, {10, 9}, {10, 11}};
    const std::vector<std::pair<Integer, Integer>> rubi = {{20, 20}, {20, 18}, {20, 22}};
    for (Integer g = 1; g <= 3; ++g) {
        EXPECT_EQ(std::make_pair(calc.LenBigBunDan(0, g), calc.LenBigBunDan(1, g)), bun[g - 1]);
        EXPECT_EQ(std::make_pair(calc.LenBigRubiDan(0, g), calc.LenBigRubiDan(1, g)), rubi[g - 1]);
    }
}

TEST_F(CCalcPointXYTest, example_largeStyle_bodyMatchesToThePixel) {
    layOutExample();
    EXPECT_EQ(bigBun(1, 1), Point(566, 33));
    EXPECT_EQ(bigBun(1, 2), Point(566, 66));
    EXPECT_EQ(bigBun(1, 10), Point(566, 330));
    // The lower tier starts again at the top of the same column.
    EXPECT_EQ(bigBun(1, 11), Point(566, 33));
    EXPECT_EQ(bigBun(1, 12), Point(566, 66));
    EXPECT_EQ(bigBun(1, 20), Point(566, 330));
    // The lower tier of 9 characters is spread by 10/9.
    EXPECT_EQ(bigBun(2, 12), Point(500, 69));
    EXPECT_EQ(bigBun(2, 19), Point(500, 327));
}

TEST_F(CCalcPointXYTest, example_largeStyle_rubyMatchesToThePixel) {
    layOutExample();
    EXPECT_EQ(bigRubi(1, 1), Point(585, 33));
    EXPECT_EQ(bigRubi(1, 2), Point(583, 49));
    EXPECT_EQ(bigRubi(1, 20), Point(583, 347));
    EXPECT_EQ(bigRubi(1, 21), Point(583, 33));
    EXPECT_EQ(bigRubi(1, 22), Point(583, 49));
    EXPECT_EQ(bigRubi(1, 40), Point(583, 347));
    // The lower-tier ruby uses the whole-line factor 20/19, not the tier's 10/9.
    EXPECT_EQ(bigRubi(2, 23), Point(517, 67));
    EXPECT_EQ(bigRubi(2, 38), Point(517, 329));
}

// --- Stretch factors (P = 8 on a 162 pixel high view: a pitch of exactly 16) ---
TEST_F(CCalcPointXYTest, standardLine_andLinesOfOtherLengths_keepThePlainPitch) {
    device.resize(100, 162);
    feed(8, {{8, 0}, {6, 0}, {3, 0}});
    calc.CalcSmallFontPointXY();
    ASSERT_EQ(calc.CharSpace(0), 16.0f);
    for (Integer g = 1; g <= 3; ++g)
        for (int k = 1; k <= calc.LenBunDan(g); ++k)
            EXPECT_EQ(calc.position(PositionTables::kSmallBunY, g, k), 16 * k);
}

TEST_F(CCalcPointXYTest, lineOneShort_isSpreadAndLineOneOver_isCompressed) {
    device.resize(100, 162);
    feed(8, {{7, 0}, {9, 0}});
    calc.CalcSmallFontPointXY();
    EXPECT_EQ(calc.position(PositionTables::kSmallBunY, 1, 2), std::floor(16 + 16.0 * 8 / 7));
    EXPECT_EQ(calc.position(PositionTables::kSmallBunY, 1, 7), std::floor(16 + 6 * 16.0 * 8 / 7));
    EXPECT_EQ(calc.position(PositionTables::kSmallBunY, 2, 2), std::floor(16 + 16.0 * 8 / 9));
    EXPECT_EQ(calc.position(PositionTables::kSmallBunY, 2, 9), std::floor(16 + 8 * 16.0 * 8 / 9));
}

TEST_F(CCalcPointXYTest, rubyStep_followsTheBodyLengthOfItsLine) {
    device.resize(100, 162);
    feed(8, {{7, 14}, {8, 16}});
    calc.CalcSmallFontPointXY();
    EXPECT_EQ(calc.position(PositionTables::kSmallRubiY, 1, 14), std::floor(16 + 13 * 8.0 * 8 / 7));
    EXPECT_EQ(calc.position(PositionTables::kSmallRubiY, 2, 16), 16 + 15 * 8);
}

TEST_F(CCalcPointXYTest, columnsLeftOfTheView_areFlooredDownwards) {
    device.resize(20, 400);
    feed(20, {{1, 0}, {1, 0}});
    calc.CalcSmallFontPointXY();
    // 20 - 18.142857 = 1.857 and then 1.857 - 36.285714 = -34.43, which floors to -35.
    EXPECT_EQ(calc.position(PositionTables::kSmallBunX, 1, 1), 1);
    EXPECT_EQ(calc.position(PositionTables::kSmallBunX, 2, 1), -35);
}

// --- Tier split ---
TEST_F(CCalcPointXYTest, lineNoLongerThanHalf_hasAnEmptyLowerTier) {
    feed(20, {{7, 15}, {10, 20}});
    calc.CalcBigFontPointXY();
    EXPECT_EQ(calc.LenBigBunDan(0, 1), 7);
    EXPECT_EQ(calc.LenBigBunDan(1, 1), 0);
    EXPECT_EQ(calc.LenBigRubiDan(0, 1), 15);
    EXPECT_EQ(calc.LenBigRubiDan(1, 1), 0);
    EXPECT_EQ(calc.LenBigBunDan(1, 2), 0);
    EXPECT_EQ(calc.LenBigRubiDan(1, 2), 0);
}

TEST_F(CCalcPointXYTest, oddStandardLength_putsOneMoreIntoTheLowerTier) {
    feed(21, {{21, 42}});
    calc.CalcBigFontPointXY();
    EXPECT_EQ(calc.LenBigBunDan(0, 1), 10);
    EXPECT_EQ(calc.LenBigBunDan(1, 1), 11);
    EXPECT_EQ(calc.LenBigRubiDan(0, 1), 21);
    EXPECT_EQ(calc.LenBigRubiDan(1, 1), 21);
}

// --- Font fitting ---
TEST_F(CCalcPointXYTest, fitting_triesEvenSizesUpToTheFirstTallerAndLeavesTheDeviceThere) {
    layOutExample();
    // Small style: 2..14, then large style: 2..26.
    std::vector<Single> expected;
    for (int size = 2; size <= 14; size += 2) expected.push_back(static_cast<Single>(size));
    for (int size = 2; size <= 26; size += 2) expected.push_back(static_cast<Single>(size));
    EXPECT_EQ(device.fontSizesSet(), expected);
}

TEST_F(CCalcPointXYTest, fitting_textExactlyAsTallAsThePitch_stillFits) {
    FixedMeasuringDevice exact(100, 162, [](Single points) { return points; });
    feed(8, {});
    calc.Device1(&exact);
    calc.CalcSmallFontPointXY();  // pitch 16: 16 points are 16 pixels, 18 are taller
    EXPECT_EQ(calc.FontSizeBun(0), 16);
    EXPECT_EQ(calc.FontSizeRubi(0), 8);
}

TEST_F(CCalcPointXYTest, fitting_rubySizeIsTheTruncatedHalf) {
    Single firstTaller = 16;
    FixedMeasuringDevice stepped(
        600, 400, [&](Single points) { return points >= firstTaller ? 1000.0f : 0.0f; });
    feed(20, {});
    calc.Device1(&stepped);
    calc.CalcSmallFontPointXY();
    EXPECT_EQ(calc.FontSizeBun(0), 14);
    EXPECT_EQ(calc.FontSizeRubi(0), 7);
    firstTaller = 12;
    calc.CalcSmallFontPointXY();
    EXPECT_EQ(calc.FontSizeBun(0), 10);
    EXPECT_EQ(calc.FontSizeRubi(0), 5);
}

// Large views have pitches past 72 points: the search goes on to the largest even size a
// Byte holds, and takes that one when nothing is taller.
TEST_F(CCalcPointXYTest, fitting_searchesPast72PointsUpToTheByteLimit) {
    struct Case {
        Single firstTaller;  // points; past 254 nothing is taller
        Byte bun;
        Byte rubi;
        std::size_t sizesTried;
    };
    for (const Case& c : {Case{74, 72, 36, 37}, Case{100, 98, 49, 50}, Case{254, 252, 126, 127},
                          Case{1000, 254, 127, 127}}) {
        FixedMeasuringDevice stepped(
            600, 400, [&](Single points) { return points >= c.firstTaller ? 1000.0f : 0.0f; });
        CCalcPointXY fresh;
        fresh.Device1(&stepped);
        fresh.GyouArraySize(0);
        fresh.MaxBunDan(0);
        fresh.Plusminus1MaxLenDan(20);
        fresh.CalcSmallFontPointXY();
        EXPECT_EQ(fresh.FontSizeBun(0), c.bun) << c.firstTaller;
        EXPECT_EQ(fresh.FontSizeRubi(0), c.rubi) << c.firstTaller;
        EXPECT_EQ(stepped.fontSizesSet().size(), c.sizesTried) << c.firstTaller;
    }
}

TEST_F(CCalcPointXYTest, fitting_twoPointsAlreadyTooTall_givesZero) {
    FixedMeasuringDevice huge(600, 400, [](Single) { return 1000.0f; });
    feed(20, {});
    calc.Device1(&huge);
    calc.CalcBigFontPointXY();
    EXPECT_EQ(calc.FontSizeBun(1), 0);
    EXPECT_EQ(calc.FontSizeRubi(1), 0);
    EXPECT_EQ(huge.fontSizesSet(), std::vector<Single>{2});
}

// --- The device ---
TEST_F(CCalcPointXYTest, layout_switchesTheDeviceToPixelsBeforeMeasuring) {
    ASSERT_EQ(device.scaleMode(), 1);
    layOutExample();
    EXPECT_EQ(device.scaleMode(), 3);
}

TEST_F(CCalcPointXYTest, deviceScaleWidth_isReadAtTheMomentInTheCurrentScale) {
    calc.Device1(&device);
    EXPECT_EQ(calc.DeviceScaleWidth(), 9000);  // twips, before any layout
    device.ScaleMode(3);
    device.resize(449.5f, 400);
    EXPECT_EQ(calc.DeviceScaleWidth(), 450);  // nearest, halves to even
    device.resize(450.5f, 400);
    EXPECT_EQ(calc.DeviceScaleWidth(), 450);
}

TEST_F(CCalcPointXYTest, noDevice_failsAsAnObjectNotSet) {
    EXPECT_EQ(errorNumberOf([&] { calc.CalcSmallFontPointXY(); }), Error::kObjectNotSet);
    EXPECT_EQ(errorNumberOf([&] { (void)calc.DeviceScaleWidth(); }), Error::kObjectNotSet);
}

// --- Tables and indices ---
TEST_F(CCalcPointXYTest, freshCalculator_hasZeroPitchesAndSizesAndNoTables) {
    EXPECT_EQ(calc.CharSpace(0), 0.0f);
    EXPECT_EQ(calc.FontSizeBun(1), 0);
    EXPECT_EQ(calc.FontSizeRubi(0), 0);
    EXPECT_EQ(errorNumberOf([&] { (void)calc.LenBunDan(1); }), Error::kSubscriptOutOfRange);
    EXPECT_EQ(errorNumberOf([&] { (void)calc.position(PositionTables::kSmallBunX, 1, 1); }),
              Error::kSubscriptOutOfRange);
}

TEST_F(CCalcPointXYTest, writingGyouArraySize_recreatesTheLengthTablesEmpty) {
    layOutExample();
    calc.GyouArraySize(2);
    EXPECT_EQ(calc.LenBunDan(1), 0);
    EXPECT_EQ(calc.LenRubiDan(2), 0);
    EXPECT_EQ(calc.LenBigBunDan(1, 1), 0);
    EXPECT_EQ(calc.LenBigRubiDan(0, 2), 0);
    EXPECT_EQ(errorNumberOf([&] { (void)calc.LenBunDan(3); }), Error::kSubscriptOutOfRange);
    EXPECT_EQ(errorNumberOf([&] { calc.LenBunDan(3, 1); }), Error::kSubscriptOutOfRange);
}

TEST_F(CCalcPointXYTest, writingMaxBunDan_recreatesThePositionTablesEmpty) {
    layOutExample();
    calc.MaxBunDan(21);
    EXPECT_EQ(calc.position(PositionTables::kSmallBunX, 1, 1), 0);
    EXPECT_EQ(calc.position(PositionTables::kBigRubiY, 3, 52), 0);  // 2M + 10 slots
    EXPECT_EQ(errorNumberOf(
                  [&] { (void)calc.position(PositionTables::kBigRubiY, 3, Error::kFileNotFound); }),
              9);
    EXPECT_EQ(errorNumberOf([&] { (void)calc.position(PositionTables::kSmallBunY, 1, 22); }),
              Error::kSubscriptOutOfRange);
    EXPECT_EQ(errorNumberOf([&] { (void)calc.position(PositionTables::kSmallBunY, 4, 1); }),
              Error::kSubscriptOutOfRange);
}

TEST_F(CCalcPointXYTest, maxBunDanAbove16378_isAnOverflowAndChangesNothing) {
    calc.GyouArraySize(1);
    calc.MaxBunDan(3);
    EXPECT_EQ(errorNumberOf([&] { calc.MaxBunDan(16379); }), Error::kOverflow);
    EXPECT_EQ(calc.MaxBunDan(), 3);
    EXPECT_EQ(errorNumberOf([&] { (void)calc.position(PositionTables::kSmallBunX, 1, 3); }), 0);
    EXPECT_EQ(errorNumberOf([&] { calc.MaxBunDan(16378); }), 0);
}

TEST_F(CCalcPointXYTest, positionIndex_isAByte) {
    layOutExample();
    EXPECT_EQ(errorNumberOf([&] { (void)calc.position(PositionTables::kSmallBunX, 1, 256); }),
              Error::kOverflow);
    EXPECT_EQ(errorNumberOf([&] { (void)calc.position(PositionTables::kBigBunY, 1, -1); }),
              Error::kOverflow);
    EXPECT_EQ(errorNumberOf([&] { (void)calc.position(PositionTables::kSmallRubiX, 1, 0); }),
              Error::kSubscriptOutOfRange);
}

TEST_F(CCalcPointXYTest, styleOrTierOutsideZeroToOne_isSubscriptOutOfRange) {
    layOutExample();
    EXPECT_EQ(errorNumberOf([&] { (void)calc.CharSpace(2); }), Error::kSubscriptOutOfRange);
    EXPECT_EQ(errorNumberOf([&] { (void)calc.FontSizeBun(-1); }), Error::kSubscriptOutOfRange);
    EXPECT_EQ(errorNumberOf([&] { (void)calc.LenBigBunDan(2, 1); }), Error::kSubscriptOutOfRange);
}

TEST_F(CCalcPointXYTest, emptyDocument_stillGetsPitchesAndFontSizes) {
    feed(8, {});
    calc.CalcSmallFontPointXY();
    calc.CalcBigFontPointXY();
    EXPECT_GT(calc.CharSpace(0), 0.0f);
    EXPECT_GT(calc.CharSpace(1), 0.0f);
    EXPECT_GT(calc.FontSizeBun(0), 0);
    EXPECT_GT(calc.FontSizeBun(1), 0);
}

TEST_F(CCalcPointXYTest, layoutBeforeThePositionTables_failsAfterSettingPitchAndFonts) {
    calc.Device1(&device);
    calc.GyouArraySize(1);
    calc.Plusminus1MaxLenDan(20);
    calc.LenBunDan(1, 3);
    EXPECT_EQ(errorNumberOf([&] { calc.CalcSmallFontPointXY(); }), Error::kSubscriptOutOfRange);
    EXPECT_EQ(calc.CharSpace(0), 18.142857f);
    EXPECT_EQ(calc.FontSizeBun(0), 12);
}

// --- Lines longer than the tables sized from MaxBunDan ---
TEST_F(CCalcPointXYTest, rubyLineRunningPastTheRubyTable_isStillLaidOut) {
    feed(8, {{5, 24}});  // M = 5: the ruby table starts 20 wide
    calc.IsKanjiRubi(1, 23, true);
    calc.CalcSmallFontPointXY();
    calc.CalcBigFontPointXY();
    EXPECT_GT(calc.position(PositionTables::kSmallRubiY, 1, 24),
              calc.position(PositionTables::kSmallRubiY, 1, 23));
    EXPECT_GT(calc.position(PositionTables::kSmallRubiX, 1, 23),
              calc.position(PositionTables::kSmallRubiX, 1, 24));
    EXPECT_EQ(calc.LenBigRubiDan(1, 1), 16);
    EXPECT_EQ(calc.MaxBunDan(), 5);
}

TEST_F(CCalcPointXYTest, bodyLineLongerThanMaxBunDan_isStillLaidOut) {
    calc.Device1(&device);
    calc.GyouArraySize(2);
    calc.MaxBunDan(3);  // the reader counts only ended lines
    calc.Plusminus1MaxLenDan(8);
    calc.LenBunDan(1, 3);
    calc.LenBunDan(2, 6);
    calc.CalcSmallFontPointXY();
    EXPECT_GT(calc.position(PositionTables::kSmallBunY, 2, 6),
              calc.position(PositionTables::kSmallBunY, 2, 5));
    EXPECT_EQ(calc.position(PositionTables::kSmallBunX, 2, 6),
              calc.position(PositionTables::kSmallBunX, 2, 1));
}

TEST_F(CCalcPointXYTest, wideningTheRubyTables_keepsTheFlagsOfEveryLine) {
    calc.Device1(&device);
    calc.GyouArraySize(2);
    calc.MaxBunDan(1);  // 12 slots
    calc.Plusminus1MaxLenDan(8);
    calc.IsKanjiRubi(1, 12, true);
    calc.IsKanjiRubi(2, 1, true);
    calc.LenRubiDan(1, 12);
    calc.LenRubiDan(2, 30);
    calc.IsKanjiRubi(2, 31, true);  // a flag beyond the widened table widens it again
    calc.CalcSmallFontPointXY();
    EXPECT_GT(calc.position(PositionTables::kSmallRubiX, 1, 12),
              calc.position(PositionTables::kSmallRubiX, 1, 11));
    EXPECT_GT(calc.position(PositionTables::kSmallRubiX, 2, 1),
              calc.position(PositionTables::kSmallRubiX, 2, 2));
    EXPECT_EQ(calc.position(PositionTables::kSmallRubiX, 2, 30),
              calc.position(PositionTables::kSmallRubiX, 2, 2));
}

// --- Failures that end a layout ---
TEST_F(CCalcPointXYTest, standardLengthThree_lineOfTwo_failsInTheLargeStyleKeepingWhatWasDone) {
    feed(3, {{1, 2}, {2, 4}});
    EXPECT_EQ(errorNumberOf([&] { calc.CalcBigFontPointXY(); }), Error::kDivisionByZero);
    // Character 2 of line 2 was placed; its lower-tier step divides by h - 1 = 0.
    EXPECT_EQ(calc.position(PositionTables::kBigBunY, 2, 2),
              calc.position(PositionTables::kBigBunY, 1, 1));
    EXPECT_GT(calc.position(PositionTables::kBigBunX, 2, 2), 0);
    EXPECT_EQ(calc.position(PositionTables::kBigRubiY, 1, 1), 0);  // the ruby pass never ran
    EXPECT_EQ(errorNumberOf([&] { calc.CalcSmallFontPointXY(); }), 0);
}

TEST_F(CCalcPointXYTest, standardLengthOne_rubyWithoutBody_failsInTheSmallStyle) {
    feed(1, {{0, 2}});
    EXPECT_EQ(errorNumberOf([&] { calc.CalcSmallFontPointXY(); }), Error::kDivisionByZero);
    EXPECT_GT(calc.position(PositionTables::kSmallRubiY, 1, 1), 0);
    EXPECT_EQ(calc.position(PositionTables::kSmallRubiY, 1, 2), 0);
}

TEST_F(CCalcPointXYTest, standardLength32767_isAnOverflow) {
    feed(32767, {{1, 0}});
    EXPECT_EQ(errorNumberOf([&] { calc.CalcSmallFontPointXY(); }), Error::kOverflow);
}

}  // namespace
}  // namespace tavelo
