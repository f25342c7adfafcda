#include <gtest/gtest.h>

#include <functional>
#include <optional>

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

// Every 32-bit operation and conversion exactly at the type's ends: the last value fits, the
// next one fails (a ">" turned into ">=" must not pass).
TEST(CheckedArithmeticTest, longResultsAtTheExactLimits_fitAndOnePastOverflows) {
    constexpr Long kMax = 2147483647;
    constexpr Long kMin = -2147483647 - 1;
    struct Case {
        const char* what;
        std::function<Long()> operation;
        std::optional<Long> expected;  // nullopt: overflow
    };
    const Case cases[] = {
        {"add to max", [] { return checked::add(Long{2147483646}, Long{1}); }, kMax},
        {"add past max", [] { return checked::add(kMax, Long{1}); }, std::nullopt},
        {"sub to min", [] { return checked::sub(Long{-2147483647}, Long{1}); }, kMin},
        {"sub past min", [] { return checked::sub(kMin, Long{1}); }, std::nullopt},
        {"sub to max", [] { return checked::sub(Long{-1}, kMin); }, kMax},
        {"sub past max", [] { return checked::sub(Long{0}, kMin); }, std::nullopt},
        {"mul to min", [] { return checked::mul(Long{-65536}, Long{32768}); }, kMin},
        {"mul past max", [] { return checked::mul(Long{65536}, Long{32768}); }, std::nullopt},
        {"mul min by -1", [] { return checked::mul(kMin, Long{-1}); }, std::nullopt},
        {"toLong max", [] { return checked::toLong(std::int64_t{2147483647}); }, kMax},
        {"toLong min", [] { return checked::toLong(std::int64_t{-2147483648LL}); }, kMin},
        {"toLong past max", [] { return checked::toLong(std::int64_t{2147483648LL}); },
         std::nullopt},
        {"toLong past min", [] { return checked::toLong(std::int64_t{-2147483649LL}); },
         std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.expected) {
            EXPECT_EQ(c.operation(), *c.expected);
        } else {
            EXPECT_EQ(errorNumber(c.operation), 6);
        }
    }
}

TEST(CheckedArithmeticTest, sixteenBitAndByteConversionsAtTheExactLimits) {
    EXPECT_EQ(checked::toInteger(32767), 32767);
    EXPECT_EQ(checked::toInteger(-32768), -32768);
    EXPECT_EQ(errorNumber([] { (void)checked::toInteger(-32769); }), 6);
    EXPECT_EQ(checked::toByte(0), 0);
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
