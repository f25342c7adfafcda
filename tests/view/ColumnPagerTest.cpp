#include <QTest>
#include <vector>

#include "view/ColumnPager.h"

namespace tavelo {

using Column = ColumnPager::Column;

class ColumnPagerTest : public QObject {
    Q_OBJECT

private slots:
    // Whole columns
    void noColumns_giveNoPages();
    void columnsThatFit_shareOnePage();
    void nextPage_startsWithTheFirstColumnNotShownWhole();
    void columnReachingPastTheLeftEdge_goesToTheNextPage();
    void pagesUseTheOffsetOfTheirFirstColumn();

    // Limits
    void columnWiderThanTheView_stillStartsAPage();
    void everyColumnIsOnExactlyOnePage();
};

namespace {

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

}  // namespace

void ColumnPagerTest::noColumns_giveNoPages() {
    QVERIFY(ColumnPager::paginate({}, 400).empty());
}

void ColumnPagerTest::columnsThatFit_shareOnePage() {
    const auto pages = ColumnPager::paginate(grid(4, 100, 400), 400);
    QCOMPARE(pages.size(), std::size_t{1});
    QCOMPARE(pages[0].firstLine, 0);
    QCOMPARE(pages[0].lastLine, 3);
    QCOMPARE(pages[0].offsetX, 0L);
}

void ColumnPagerTest::nextPage_startsWithTheFirstColumnNotShownWhole() {
    // Three 130-pixel columns fit in 400 pixels, the fourth would reach 120 pixels past the
    // left edge.
    const auto pages = ColumnPager::paginate(grid(7, 130, 400), 400);
    QCOMPARE(pages.size(), std::size_t{3});
    QCOMPARE(pages[0].firstLine, 0);
    QCOMPARE(pages[0].lastLine, 2);
    QCOMPARE(pages[1].firstLine, 3);
    QCOMPARE(pages[1].lastLine, 5);
    QCOMPARE(pages[2].firstLine, 6);
    QCOMPARE(pages[2].lastLine, 6);
}

void ColumnPagerTest::columnReachingPastTheLeftEdge_goesToTheNextPage() {
    std::vector<Column> columns = grid(3, 100, 300);
    columns[2].left = -1;  // one pixel of ink past the edge
    const auto pages = ColumnPager::paginate(columns, 300);
    QCOMPARE(pages.size(), std::size_t{2});
    QCOMPARE(pages[0].lastLine, 1);
    QCOMPARE(pages[1].firstLine, 2);
    QVERIFY(!ColumnPager::shownWhole(columns[2], 0, 300));
    QVERIFY(ColumnPager::shownWhole(columns[2], columns[2].firstOffset, 300));
}

void ColumnPagerTest::pagesUseTheOffsetOfTheirFirstColumn() {
    std::vector<Column> columns = grid(6, 100, 250);
    for (std::size_t i = 0; i < columns.size(); ++i)
        columns[i].firstOffset = static_cast<long>(i * 100 + 7);
    const auto pages = ColumnPager::paginate(columns, 250);
    QVERIFY(pages.size() >= 2);
    for (const auto& page : pages)
        QCOMPARE(page.offsetX, columns[static_cast<std::size_t>(page.firstLine)].firstOffset);
}

void ColumnPagerTest::columnWiderThanTheView_stillStartsAPage() {
    std::vector<Column> columns = grid(3, 100, 300);
    columns[1].left = columns[1].right - 500;
    const auto pages = ColumnPager::paginate(columns, 300);
    // It cannot be shown whole anywhere: it ends the first page and starts the second, which
    // goes on with the columns after it.
    QCOMPARE(pages.size(), std::size_t{2});
    QCOMPARE(pages[0].lastLine, 0);
    QCOMPARE(pages[1].firstLine, 1);
    QCOMPARE(pages[1].lastLine, 2);
}

void ColumnPagerTest::everyColumnIsOnExactlyOnePage() {
    for (const double pitch : {29.7, 41.0, 99.5}) {
        const std::vector<Column> columns = grid(57, pitch, 449);
        const auto pages = ColumnPager::paginate(columns, 449);
        int expected = 0;
        for (const auto& page : pages) {
            QCOMPARE(page.firstLine, expected);
            QVERIFY(page.lastLine >= page.firstLine);
            for (int line = page.firstLine; line <= page.lastLine; ++line)
                QVERIFY(ColumnPager::shownWhole(columns[static_cast<std::size_t>(line)],
                                                page.offsetX, 449));
            // The page is full: the next column would be cut.
            if (page.lastLine + 1 < 57)
                QVERIFY(!ColumnPager::shownWhole(
                    columns[static_cast<std::size_t>(page.lastLine + 1)], page.offsetX, 449));
            expected = page.lastLine + 1;
        }
        QCOMPARE(expected, 57);
    }
}

}  // namespace tavelo

QTEST_APPLESS_MAIN(tavelo::ColumnPagerTest)
#include "ColumnPagerTest.moc"
