#include "view/ManuscriptLayout.h"

#include <algorithm>

#include "common/Error.h"
#include "store/CViewData.h"

namespace tavelo {
namespace {

// The record holds typefaces for 60 cells and kanji flags for 120 ruby slots per line.
constexpr int kRecordCells = 60;
constexpr int kRecordSlots = 120;
// A 400-character sheet.
constexpr ManuscriptLayout::Grid kSheet{20, 20};

bool isBlank(char16_t c) {
    return c == u' ' || c == u'　';
}

// Where a cell of a line stands: the column counted over the whole document (0-based) and
// its row.
struct Place {
    int column = 0;
    int row = 0;
};

}  // namespace

ManuscriptLayout::ManuscriptLayout(std::vector<Line> lines, Grid grid)
    : lines_(std::move(lines)), grid_(grid) {
    if (grid_.charactersPerColumn < 1 || grid_.columnsPerPage < 1)
        throw Error::invalidArgument("ManuscriptLayout");
    place();
}

ManuscriptLayout ManuscriptLayout::of(const CViewData& view, Grid grid) {
    return ManuscriptLayout(linesOf(view), grid);
}

std::vector<ManuscriptLayout::Line> ManuscriptLayout::linesOf(const CViewData& view) {
    std::vector<Line> lines;
    const Integer count = view.GyouArraySize();
    lines.reserve(static_cast<std::size_t>(std::max<Integer>(count, 0)));
    for (Integer g = 1; g <= count; ++g) {
        Line line;
        line.bun = view.Bun(g);
        const int cells = std::min(static_cast<int>(line.bun.size()), kRecordCells);
        for (int d = 1; d <= cells; ++d)
            line.fontData.push_back(view.FontData(g, static_cast<Integer>(d)));
        line.rubi = view.Rubi(g);
        const int slots = std::min(static_cast<int>(line.rubi.size()), kRecordSlots);
        for (int d = 1; d <= slots; ++d)
            line.kanjiRubi.push_back(view.IsKanjiRubi(g, static_cast<Integer>(d)));
        lines.push_back(std::move(line));
    }
    return lines;
}

std::vector<flow::LineBreakRules::Group> ManuscriptLayout::rubiGroups(const Line& line) {
    std::vector<flow::LineBreakRules::Group> groups;
    const auto cells = static_cast<int>(line.bun.size());
    auto hasRubi = [&](int cell) {  // 0-based
        const std::size_t first = 2 * static_cast<std::size_t>(cell);
        for (std::size_t slot = first; slot <= first + 1; ++slot)
            if (slot < line.rubi.size() && !isBlank(line.rubi[slot])) return true;
        return false;
    };
    for (int cell = 0; cell < cells; ++cell) {
        if (!hasRubi(cell)) continue;
        if (!groups.empty() && groups.back().last == cell - 1)
            groups.back().last = cell;
        else
            groups.push_back({cell, cell});
    }
    return groups;
}

long ManuscriptLayout::characterCount(const std::vector<Line>& lines) {
    long count = 0;
    for (const Line& line : lines) count += static_cast<long>(line.bun.size());
    return count;
}

int ManuscriptLayout::sheetCount(const std::vector<Line>& lines) {
    return ManuscriptLayout(lines, kSheet).pageCount();
}

const ManuscriptLayout::Line& ManuscriptLayout::line(int g) const {
    if (g < 1 || static_cast<std::size_t>(g) > lines_.size())
        throw Error::subscriptOutOfRange("ManuscriptLayout.line");
    return lines_[static_cast<std::size_t>(g - 1)];
}

std::span<const ManuscriptLayout::Cell> ManuscriptLayout::cellsOn(int page) const {
    const auto [first, last] =
        std::equal_range(cells_.begin(), cells_.end(), Cell{0, 0, page, 0, 0},
                         [](const Cell& a, const Cell& b) { return a.page < b.page; });
    return {first, last};
}

std::span<const ManuscriptLayout::RubiCell> ManuscriptLayout::rubiCellsOn(int page) const {
    const auto [first, last] =
        std::equal_range(rubiCells_.begin(), rubiCells_.end(), RubiCell{0, 0, page, 0, 0, 0},
                         [](const RubiCell& a, const RubiCell& b) { return a.page < b.page; });
    return {first, last};
}

void ManuscriptLayout::place() {
    const int perPage = grid_.columnsPerPage;
    // Cells go in reading order, so both lists come out sorted by page.
    int column = 0;
    std::vector<Place> places;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const Line& line = lines_[i];
        const int g = static_cast<int>(i) + 1;
        const std::vector<int> lengths = flow::LineBreakRules::columnLengths(
            line.bun, rubiGroups(line), grid_.charactersPerColumn);
        places.clear();
        for (std::size_t k = 0; k < lengths.size(); ++k)
            for (int row = 1; row <= lengths[k]; ++row)
                places.push_back({column + static_cast<int>(k), row});
        for (std::size_t d = 0; d < places.size(); ++d) {
            const Place& at = places[d];
            cells_.push_back({g, static_cast<int>(d) + 1, at.column / perPage + 1,
                              at.column % perPage + 1, at.row});
        }
        for (std::size_t s = 0; s < line.rubi.size(); ++s) {
            if (isBlank(line.rubi[s])) continue;
            const std::size_t cell = s / 2;  // 0-based
            Place at;
            if (cell < places.size()) {
                at = places[cell];
            } else {
                // Ruby past the body goes on below the last cell (or from the top of an empty
                // line's column).
                const Place last = places.empty() ? Place{column, 0} : places.back();
                at = {last.column, last.row + static_cast<int>(cell + 1 - places.size())};
            }
            rubiCells_.push_back({g, static_cast<int>(s) + 1, at.column / perPage + 1,
                                  at.column % perPage + 1, at.row, static_cast<int>(s % 2)});
        }
        column += static_cast<int>(lengths.size());
    }
    columnCount_ = column;
    pageCount_ = column == 0 ? 0 : (column - 1) / perPage + 1;
}

}  // namespace tavelo
