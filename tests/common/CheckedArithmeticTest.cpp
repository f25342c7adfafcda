#include <gtest/gtest.h>

#include "common/CheckedArithmetic.h"

namespace tavelo {
namespace {

int errorNumber(auto&& operation) {
    try {
        operation();
    } catch (const Error& e) {
        return e.number();
    }
    return 0;
}

// --- Integer (16-bit) ---
TEST(CheckedArithmeticTest, integerSumAtTheLimits_fits) {
    EXPECT_EQ(checked::add(Integer{32766}, Integer{1}), 32767);
    EXPECT_EQ(checked::sub(Integer{-32767}, Integer{1}), -32768);
}

TEST(CheckedArithmeticTest, integerSumBeyondTheLimits_overflowsInsteadOfWrapping) {
    EXPECT_EQ(errorNumber([] { (void)checked::add(Integer{32767}, Integer{1}); }), Error::kOverflow);
    EXPECT_EQ(errorNumber([] { (void)checked::sub(Integer{-32768}, Integer{1}); }), Error::kOverflow);
    EXPECT_EQ(errorNumber([] { (void)checked::mul(Integer{200}, Integer{200}); }), Error::kOverflow);
}

// --- Long (32-bit) ---
TEST(CheckedArithmeticTest, longProductBeyondTheLimits_overflows) {
    EXPECT_EQ(checked::mul(Long{46340}, Long{46340}), 2147395600);
    EXPECT_EQ(errorNumber([] { (void)checked::mul(Long{46341}, Long{46341}); }), Error::kOverflow);
}

// --- Conversions and "\" ---
TEST(CheckedArithmeticTest, narrowingConversions_checkTheTargetRange) {
    EXPECT_EQ(checked::toByte(255), 255);
    EXPECT_EQ(errorNumber([] { (void)checked::toByte(256); }), Error::kOverflow);
    EXPECT_EQ(errorNumber([] { (void)checked::toByte(-1); }), Error::kOverflow);
    EXPECT_EQ(errorNumber([] { (void)checked::toInteger(32768); }), Error::kOverflow);
}

TEST(CheckedArithmeticTest, integerDivision_truncatesTowardsZeroAndRefusesZero) {
    EXPECT_EQ(checked::intDiv(Integer{41}, Integer{2}), 20);
    EXPECT_EQ(checked::intDiv(Integer{-7}, Integer{2}), -3);
    EXPECT_EQ(errorNumber([] { (void)checked::intDiv(Integer{1}, Integer{0}); }), Error::kDivisionByZero);
}

}  // namespace
}  // namespace tavelo
