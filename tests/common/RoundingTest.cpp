#include <gtest/gtest.h>

#include "common/Rounding.h"

namespace tavelo {
namespace {

TEST(RoundingTest, nearest_sendsHalvesToTheEvenNeighbour) {
    EXPECT_EQ(rounding::roundToLong(2.5), 2);
    EXPECT_EQ(rounding::roundToLong(3.5), 4);
    EXPECT_EQ(rounding::roundToLong(-2.5), -2);
    EXPECT_EQ(rounding::roundToLong(61.5), 62);
    EXPECT_EQ(rounding::roundToInteger(7.5), 8);
    EXPECT_EQ(rounding::roundToInteger(12.5), 12);
}

TEST(RoundingTest, floorInt_goesTowardsMinusInfinity) {
    EXPECT_EQ(rounding::floorToLong(-2.5), -3);
    EXPECT_EQ(rounding::floorToLong(2.99), 2);
}

TEST(RoundingTest, conversionsOutsideTheRange_overflow) {
    EXPECT_THROW((void)rounding::roundToInteger(32767.5), Error);  // rounds to 32768
    EXPECT_THROW((void)rounding::roundToLong(3e9), Error);
    EXPECT_THROW((void)rounding::toSingle(1e39), Error);
}

TEST(RoundingTest, toSingle_narrowsToSinglePrecision) {
    const double exact = 381.0 / 21.0;
    EXPECT_EQ(rounding::toSingle(exact), 18.142857f);
    EXPECT_NE(static_cast<double>(rounding::toSingle(exact)), exact);
}

}  // namespace
}  // namespace tavelo
