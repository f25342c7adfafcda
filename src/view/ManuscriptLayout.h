#pragma once

#include <span>
#include <vector>

#include "common/ClassicTypes.h"
#include "flow/LineBreakRules.h"

namespace tavelo {

class CViewData;

// A document set like a manuscript: every body character on a cell of a grid of N characters
// per column and M columns per page, every ruby slot beside its base.
//
// Given: the lines (body text, typeface per cell, ruby slots with their kanji flags) and the
// grid. Calculated: per body character and per ruby character its page, column and row, and
// the number of pages. Each line of the file starts a new column (an empty line leaves its
// column empty); a line longer than N goes on in the next column, broken by LineBreakRules
// with its ruby groups (runs of cells with ruby beside them) kept whole. Columns run from the
// right edge of the page to the left; a page holds M of them. Pages, columns and rows count
// from 1; column 1 is the rightmost; row N + 1 holds a hanging 、 or 。. Ruby slots 2n - 1 and
// 2n stand beside the first and second half of cell n; slots beyond the body of a line go on
// below its last cell in the same column.
class ManuscriptLayout {
public:
    struct Line {
        String bun;
        std::vector<String> fontData;  // per cell, as the record holds them; may be shorter
        String rubi;
        std::vector<bool> kanjiRubi;  // per slot; may be shorter
    };
    struct Grid {
        int charactersPerColumn = 40;
        int columnsPerPage = 30;
    };
    struct Cell {
        int line = 0;  // 1-based, with the position along it (dan or slot)
        int dan = 0;
        int page = 0;
        int column = 0;
        int row = 0;
    };
    struct RubiCell {
        int line = 0;
        int slot = 0;
        int page = 0;
        int column = 0;
        int row = 0;
        int half = 0;  // 0 beside the upper half of the cell, 1 beside the lower half
    };

    // Fails with an invalid-argument Error for a grid with no cells.
    ManuscriptLayout(std::vector<Line> lines, Grid grid);
    [[nodiscard]] static ManuscriptLayout of(const CViewData& view, Grid grid);
    // The lines of a record as the layout takes them.
    [[nodiscard]] static std::vector<Line> linesOf(const CViewData& view);

    // The cells that carry ruby, run by run: a cell counts when either of its two slots holds
    // a character other than a blank.
    [[nodiscard]] static std::vector<flow::LineBreakRules::Group> rubiGroups(const Line& line);

    // Body characters, blanks and indents included, ruby not: as competitions count.
    [[nodiscard]] static long characterCount(const std::vector<Line>& lines);
    // The length in 400-character sheets: the pages of a 20 x 20 grid set by the same rules.
    [[nodiscard]] static int sheetCount(const std::vector<Line>& lines);

    [[nodiscard]] const Grid& grid() const { return grid_; }
    [[nodiscard]] int pageCount() const { return pageCount_; }
    [[nodiscard]] int columnCount() const { return columnCount_; }
    [[nodiscard]] const std::vector<Line>& lines() const { return lines_; }
    [[nodiscard]] const Line& line(int g) const;  // 1-based

    // Every body cell and ruby character in reading order, and those of one page.
    [[nodiscard]] const std::vector<Cell>& cells() const { return cells_; }
    [[nodiscard]] const std::vector<RubiCell>& rubiCells() const { return rubiCells_; }
    [[nodiscard]] std::span<const Cell> cellsOn(int page) const;
    [[nodiscard]] std::span<const RubiCell> rubiCellsOn(int page) const;

private:
    void place();

    std::vector<Line> lines_;
    Grid grid_;
    std::vector<Cell> cells_;
    std::vector<RubiCell> rubiCells_;
    int columnCount_ = 0;
    int pageCount_ = 0;
};

}  // namespace tavelo
