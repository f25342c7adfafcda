#include <gtest/gtest.h>

#include "common/Table.h"

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

TEST(TableTest, indexOutsideTheDeclaredBounds_isSubscriptOutOfRange) {
    Table<int> table("t", 1, 3);
    table.at(3) = 7;
    EXPECT_EQ(table.at(3), 7);
    EXPECT_EQ(errorNumber([&] { (void)table.at(0); }), Error::kSubscriptOutOfRange);
    EXPECT_EQ(errorNumber([&] { (void)table.at(4); }), Error::kSubscriptOutOfRange);
}

TEST(TableTest, tableNeverDimensioned_failsOnEveryAccess) {
    Table<int> table("t");
    EXPECT_EQ(errorNumber([&] { (void)table.at(0); }), Error::kSubscriptOutOfRange);
    EXPECT_EQ(errorNumber([&] { (void)table.upper(); }), Error::kSubscriptOutOfRange);
    Table2<int> grid("g");
    EXPECT_EQ(errorNumber([&] { (void)grid.at(1, 1); }), Error::kSubscriptOutOfRange);
}

TEST(TableTest, redimPreserve_keepsElementsAndRedimClearsThem) {
    Table<int> table("t", 1, 1);
    table.at(1) = 5;
    table.redimPreserve(3);
    EXPECT_EQ(table.at(1), 5);
    EXPECT_EQ(table.at(3), 0);
    table.redim(1, 2);
    EXPECT_EQ(table.at(1), 0);
}

TEST(TableTest, twoDimensions_checkEachIndexOnItsOwn) {
    Table2<int> grid("g");
    grid.redim(0, 1, 1, 60);
    grid.at(1, 60) = 3;
    EXPECT_EQ(grid.at(1, 60), 3);
    EXPECT_EQ(grid.at(0, 1), 0);
    EXPECT_EQ(errorNumber([&] { (void)grid.at(2, 1); }), Error::kSubscriptOutOfRange);
    EXPECT_EQ(errorNumber([&] { (void)grid.at(1, 61); }), Error::kSubscriptOutOfRange);
    EXPECT_EQ(errorNumber([&] { (void)grid.at(1, 0); }), Error::kSubscriptOutOfRange);
}

TEST(TableTest, redimPreserveLast_keepsEveryRowInPlace) {
    Table2<int> grid("g");
    grid.redim(1, 2, 1, 3);
    grid.at(1, 3) = 13;
    grid.at(2, 1) = 21;
    grid.redimPreserveLast(5);
    EXPECT_EQ(grid.at(1, 3), 13);
    EXPECT_EQ(grid.at(2, 1), 21);
    EXPECT_EQ(grid.at(1, 4), 0);
    EXPECT_EQ(grid.at(2, 5), 0);
    grid.redimPreserveLast(2);
    EXPECT_EQ(grid.at(2, 1), 21);
    EXPECT_EQ(errorNumber([&] { (void)grid.at(1, 3); }), Error::kSubscriptOutOfRange);
    Table2<int> never("n");
    EXPECT_EQ(errorNumber([&] { never.redimPreserveLast(3); }), Error::kSubscriptOutOfRange);
}

}  // namespace
}  // namespace tavelo
