#include <gtest/gtest.h>

#include <vector>

#include "view/ColumnPager.h"

namespace tavelo {
namespace {

using Column = ColumnPager::Column;

// Columns `pitch` wide from the right edge of a view `width` wide, leftwards, each scrolled
// to the right edge by the offset that makes it first.
std::vector<Column> grid(int count, double pitch, long width) {
    std::vector<Column> columns;
    for (int i = 0; i < count; ++i) {
        const double right = static_cast<double>(width) - i * pitch;
        columns.push_back({right - pitch, right, static_cast<long>(i * pitch)});
    }
    return columns;
}

// ---- Whole columns

TEST(ColumnPagerTest, noColumns_giveNoPages) {
    EXPECT_TRUE(ColumnPager::paginate({}, 400).empty());
}

TEST(ColumnPagerTest, columnsThatFit_shareOnePage) {
    const auto pages = ColumnPager::paginate(grid(4, 100, 400), 400);
    ASSERT_EQ(pages.size(), std::size_t{1});
    EXPECT_EQ(pages[0].firstLine, 0);
    EXPECT_EQ(pages[0].lastLine, 3);
    EXPECT_EQ(pages[0].offsetX, 0L);
}

TEST(ColumnPagerTest, nextPage_startsWithTheFirstColumnNotShownWhole) {
    // Three 130-pixel columns fit in 400 pixels, the fourth would reach 120 pixels past the
    // left edge.
    const auto pages = ColumnPager::paginate(grid(7, 130, 400), 400);
    ASSERT_EQ(pages.size(), std::size_t{3});
    EXPECT_EQ(pages[0].firstLine, 0);
    EXPECT_EQ(pages[0].lastLine, 2);
    EXPECT_EQ(pages[1].firstLine, 3);
    EXPECT_EQ(pages[1].lastLine, 5);
    EXPECT_EQ(pages[2].firstLine, 6);
    EXPECT_EQ(pages[2].lastLine, 6);
}

TEST(ColumnPagerTest, columnReachingPastTheLeftEdge_goesToTheNextPage) {
    std::vector<Column> columns = grid(3, 100, 300);
    columns[2].left = -1;  // one pixel of ink past the edge
    const auto pages = ColumnPager::paginate(columns, 300);
    ASSERT_EQ(pages.size(), std::size_t{2});
    EXPECT_EQ(pages[0].lastLine, 1);
    EXPECT_EQ(pages[1].firstLine, 2);
    EXPECT_FALSE(ColumnPager::shownWhole(columns[2], 0, 300));
    EXPECT_TRUE(ColumnPager::shownWhole(columns[2], columns[2].firstOffset, 300));
}

TEST(ColumnPagerTest, pagesUseTheOffsetOfTheirFirstColumn) {
    std::vector<Column> columns = grid(6, 100, 250);
    for (std::size_t i = 0; i < columns.size(); ++i)
        columns[i].firstOffset = static_cast<long>(i * 100 + 7);
    const auto pages = ColumnPager::paginate(columns, 250);
    EXPECT_GE(pages.size(), std::size_t{2});
    for (const auto& page : pages)
        EXPECT_EQ(page.offsetX, columns[static_cast<std::size_t>(page.firstLine)].firstOffset);
}

// ---- Limits

TEST(ColumnPagerTest, columnWiderThanTheView_stillStartsAPage) {
    std::vector<Column> columns = grid(3, 100, 300);
    columns[1].left = columns[1].right - 500;
    const auto pages = ColumnPager::paginate(columns, 300);
    // It cannot be shown whole anywhere: it ends the first page and starts the second, which
    // goes on with the columns after it.
    ASSERT_EQ(pages.size(), std::size_t{2});
    EXPECT_EQ(pages[0].lastLine, 0);
    EXPECT_EQ(pages[1].firstLine, 1);
    EXPECT_EQ(pages[1].lastLine, 2);
}

TEST(ColumnPagerTest, everyColumnIsOnExactlyOnePage) {
    for (const double pitch : {29.7, 41.0, 99.5}) {
        SCOPED_TRACE(pitch);
        const std::vector<Column> columns = grid(57, pitch, 449);
        const auto pages = ColumnPager::paginate(columns, 449);
        int expected = 0;
        for (const auto& page : pages) {
            ASSERT_EQ(page.firstLine, expected);
            ASSERT_GE(page.lastLine, page.firstLine);
            for (int line = page.firstLine; line <= page.lastLine; ++line) {
                EXPECT_TRUE(ColumnPager::shownWhole(columns[static_cast<std::size_t>(line)],
                                                    page.offsetX, 449))
                    << "line " << line;
            }
            // The page is full: the next column would be cut.
            if (page.lastLine + 1 < 57) {
                EXPECT_FALSE(ColumnPager::shownWhole(
                    columns[static_cast<std::size_t>(page.lastLine + 1)], page.offsetX, 449));
            }
            expected = page.lastLine + 1;
        }
        EXPECT_EQ(expected, 57);
    }
}

}  // namespace
}  // namespace tavelo
