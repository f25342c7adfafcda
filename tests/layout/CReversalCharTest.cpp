#include <gtest/gtest.h>

#include "layout/CReversalChar.h"
#include "reader/Tl2TestBytes.h"

namespace tavelo {
namespace {

using testing::errorNumberOf;

class CReversalCharTest : public ::testing::Test {
protected:
    CReversalChar table;
};

// --- Bounds ---
TEST_F(CReversalCharTest, afterGyouArraySize_linesZeroToGByCellsOneToSixtyReadClear) {
    table.GyouArraySize(3);
    EXPECT_FALSE(table.ReversalChar(1, 1));
    EXPECT_FALSE(table.ReversalChar(3, 60));
    EXPECT_FALSE(table.ReversalChar(0, 1));  // line 0 exists, unused
    EXPECT_EQ(errorNumberOf([&] { (void)table.ReversalChar(4, 1); }), Error::kSubscriptOutOfRange);
    EXPECT_EQ(errorNumberOf([&] { (void)table.ReversalChar(1, 61); }), Error::kSubscriptOutOfRange);
    EXPECT_EQ(errorNumberOf([&] { (void)table.ReversalChar(1, 0); }), Error::kSubscriptOutOfRange);
    EXPECT_EQ(errorNumberOf([&] { table.ReversalChar(-1, 1, true); }), Error::kSubscriptOutOfRange);
}

TEST_F(CReversalCharTest, beforeGyouArraySize_everyAccessFails) {
    EXPECT_EQ(errorNumberOf([&] { (void)table.ReversalChar(0, 1); }), Error::kSubscriptOutOfRange);
    EXPECT_EQ(errorNumberOf([&] { table.ReversalChar(1, 1, true); }), Error::kSubscriptOutOfRange);
}

// --- Flags ---
TEST_F(CReversalCharTest, flagSet_readsBackOnlyAtItsCell) {
    table.GyouArraySize(2);
    table.ReversalChar(2, 60, true);
    EXPECT_TRUE(table.ReversalChar(2, 60));
    EXPECT_FALSE(table.ReversalChar(2, 59));
    EXPECT_FALSE(table.ReversalChar(1, 60));
    table.ReversalChar(2, 60, false);
    EXPECT_FALSE(table.ReversalChar(2, 60));
}

TEST_F(CReversalCharTest, writingGyouArraySizeAgain_clearsEveryFlag) {
    table.GyouArraySize(2);
    table.ReversalChar(1, 5, true);
    table.GyouArraySize(2);
    EXPECT_FALSE(table.ReversalChar(1, 5));
}

}  // namespace
}  // namespace tavelo
