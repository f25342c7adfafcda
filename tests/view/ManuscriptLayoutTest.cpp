#include <gtest/gtest.h>

#include <vector>

#include "common/Error.h"
#include "store/CViewData.h"
#include "view/ManuscriptLayout.h"

namespace tavelo {
namespace {

using Line = ManuscriptLayout::Line;
using Grid = ManuscriptLayout::Grid;

Line line(const String& bun, const String& rubi = u"") {
    return {bun, {}, rubi, {}};
}

// `count` lines of `length` characters that no break rule concerns.
std::vector<Line> plainLines(int count, int length) {
    return std::vector<Line>(static_cast<std::size_t>(count),
                             line(String(static_cast<std::size_t>(length), u'永')));
}

// --- The grid ---
TEST(ManuscriptLayoutTest, cellsFillColumnsFromTheRightAndColumnsFillPages) {
    // Ten characters, four to a column, two columns to a page.
    const ManuscriptLayout layout({line(u"一二三四五六七八九十")}, Grid{4, 2});
    ASSERT_EQ(layout.cells().size(), 10U);
    for (int d = 1; d <= 10; ++d) {
        const ManuscriptLayout::Cell& cell = layout.cells()[static_cast<std::size_t>(d - 1)];
        const int column = (d - 1) / 4;  // over the document
        EXPECT_EQ(cell.line, 1);
        EXPECT_EQ(cell.dan, d);
        EXPECT_EQ(cell.page, column / 2 + 1) << d;
        EXPECT_EQ(cell.column, column % 2 + 1) << d;
        EXPECT_EQ(cell.row, (d - 1) % 4 + 1) << d;
    }
    EXPECT_EQ(layout.columnCount(), 3);
    EXPECT_EQ(layout.pageCount(), 2);
    EXPECT_EQ(layout.cellsOn(1).size(), 8U);
    EXPECT_EQ(layout.cellsOn(2).size(), 2U);
    EXPECT_TRUE(layout.cellsOn(3).empty());
}

TEST(ManuscriptLayoutTest, everyLineStartsAColumnAndAnEmptyLineLeavesOneEmpty) {
    const ManuscriptLayout layout({line(u"あい"), line(u""), line(u"う")}, Grid{4, 30});
    ASSERT_EQ(layout.cells().size(), 3U);
    EXPECT_EQ(layout.cells()[1].column, 1);
    EXPECT_EQ(layout.cells()[2].line, 3);
    EXPECT_EQ(layout.cells()[2].column, 3);
    EXPECT_EQ(layout.cells()[2].row, 1);
    EXPECT_EQ(layout.columnCount(), 3);
    EXPECT_EQ(layout.pageCount(), 1);
}

TEST(ManuscriptLayoutTest, gridWithoutCells_fails) {
    EXPECT_THROW(ManuscriptLayout({}, Grid{0, 30}), Error);
    EXPECT_THROW(ManuscriptLayout({}, Grid{40, 0}), Error);
}

// --- Long lines and ruby ---
TEST(ManuscriptLayoutTest, lineOf55CellsAt40_continuesInTheNextColumnWithItsRuby) {
    String rubi(110, u'　');
    rubi[2] = u'か';   // slot 3: beside the upper half of cell 2
    rubi[99] = u'な';  // slot 100: beside the lower half of cell 50
    const ManuscriptLayout layout({line(String(55, u'永'), rubi)}, Grid{40, 30});
    EXPECT_EQ(layout.columnCount(), 2);
    EXPECT_EQ(layout.cells()[39].column, 1);
    EXPECT_EQ(layout.cells()[39].row, 40);
    EXPECT_EQ(layout.cells()[40].column, 2);
    EXPECT_EQ(layout.cells()[40].row, 1);
    EXPECT_EQ(layout.cells()[54].row, 15);
    ASSERT_EQ(layout.rubiCells().size(), 2U);
    const ManuscriptLayout::RubiCell& upper = layout.rubiCells()[0];
    EXPECT_EQ(upper.slot, 3);
    EXPECT_EQ(upper.column, 1);
    EXPECT_EQ(upper.row, 2);
    EXPECT_EQ(upper.half, 0);
    const ManuscriptLayout::RubiCell& lower = layout.rubiCells()[1];
    EXPECT_EQ(lower.slot, 100);
    EXPECT_EQ(lower.column, 2);
    EXPECT_EQ(lower.row, 10);
    EXPECT_EQ(lower.half, 1);
}

TEST(ManuscriptLayoutTest, rubyGroupAcrossTheBreak_movesWholeToTheNextColumn) {
    // Ruby beside cells 39 to 42 (slots 77 to 84): the group moves, cell 38 ends column 1.
    String rubi(84, u'　');
    for (std::size_t s = 76; s < 84; ++s) rubi[s] = u'る';
    const ManuscriptLayout layout({line(String(55, u'永'), rubi)}, Grid{40, 30});
    EXPECT_EQ(layout.cells()[37].column, 1);
    EXPECT_EQ(layout.cells()[38].column, 2);
    EXPECT_EQ(layout.cells()[38].row, 1);
    EXPECT_EQ(layout.cells()[54].row, 17);
    EXPECT_EQ(layout.rubiCells().front().column, 2);
    EXPECT_EQ(layout.rubiCells().front().row, 1);
    EXPECT_EQ(layout.rubiCells().back().row, 4);
}

TEST(ManuscriptLayoutTest, rubyPastTheBody_goesOnBelowTheLastCell) {
    const ManuscriptLayout layout({line(u"漢", u"　　かな")}, Grid{40, 30});
    ASSERT_EQ(layout.rubiCells().size(), 2U);
    EXPECT_EQ(layout.rubiCells()[0].row, 2);
    EXPECT_EQ(layout.rubiCells()[0].half, 0);
    EXPECT_EQ(layout.rubiCells()[1].row, 2);
    EXPECT_EQ(layout.rubiCells()[1].half, 1);
}

// --- Page counts and counts ---
TEST(ManuscriptLayoutTest, pageCountsOfKnownDocuments) {
    struct Case {
        int lines, length, n, m, columns, pages;
    };
    const std::vector<Case> cases = {
        {120, 20, 40, 30, 120, 4},  // one column a line, 30 a page
        {60, 55, 40, 30, 120, 4},   // two columns a line (40 + 15)
        {120, 20, 20, 20, 120, 6},  // one column a line, 20 a page
        {60, 55, 20, 20, 180, 9},   // three columns a line (20 + 20 + 15)
        {30, 40, 40, 30, 30, 1},    // a page exactly full
        {31, 40, 40, 30, 31, 2},    // one column more
    };
    for (const Case& c : cases) {
        const ManuscriptLayout layout(plainLines(c.lines, c.length), Grid{c.n, c.m});
        EXPECT_EQ(layout.columnCount(), c.columns) << c.lines << "x" << c.length;
        EXPECT_EQ(layout.pageCount(), c.pages) << c.lines << "x" << c.length;
    }
}

TEST(ManuscriptLayoutTest, countsOfASmallDocument) {
    // At 20 x 20: 21 characters ending in a hanging 。 take 1 column, 25 with ruby take 2, the
    // empty line 1, 20 characters 1, and 17 lines of 10 characters 17: 22 columns, 2 sheets.
    // Characters: 21 + 25 + 0 + 20 + 170 = 236, the ruby not counted, the indent counted.
    std::vector<Line> lines = {line(String(19, u'永') + u"い。"),
                               line(u"　" + String(24, u'永'), u"　　ふりがな"), line(u""),
                               line(String(20, u'永'))};
    const std::vector<Line> more = plainLines(17, 10);
    lines.insert(lines.end(), more.begin(), more.end());
    EXPECT_EQ(ManuscriptLayout::characterCount(lines), 236);
    EXPECT_EQ(ManuscriptLayout::sheetCount(lines), 2);
    lines.pop_back();  // 21 columns
    lines.pop_back();  // 20 columns: one sheet exactly
    EXPECT_EQ(ManuscriptLayout::sheetCount(lines), 1);
    EXPECT_EQ(ManuscriptLayout::sheetCount({}), 0);
    EXPECT_EQ(ManuscriptLayout::characterCount({}), 0);
}

// --- From the record ---
TEST(ManuscriptLayoutTest, linesOfARecord_carryTextTypefacesAndKanjiFlags) {
    CViewData view;
    view.GyouArraySize(2);
    view.Bun(1, u"漢字");
    view.FontData(1, 1, u"@ＭＳ 明朝");
    view.FontData(1, 2, u"M101");
    view.Rubi(1, u"　人　　");
    view.IsKanjiRubi(1, 2, true);
    const std::vector<Line> lines = ManuscriptLayout::linesOf(view);
    ASSERT_EQ(lines.size(), 2U);
    EXPECT_EQ(lines[0].bun, u"漢字");
    EXPECT_EQ(lines[0].fontData, (std::vector<String>{u"@ＭＳ 明朝", u"M101"}));
    EXPECT_EQ(lines[0].rubi, u"　人　　");
    EXPECT_EQ(lines[0].kanjiRubi, (std::vector<bool>{false, true, false, false}));
    EXPECT_TRUE(lines[1].bun.empty());
    EXPECT_EQ(ManuscriptLayout::of(view, Grid{1, 30}).columnCount(), 3);
}

}  // namespace
}  // namespace tavelo
