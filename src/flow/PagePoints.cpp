#include "flow/PagePoints.h"

#include <algorithm>
#include <cmath>

namespace tavelo::flow {
namespace {

using Column = FlowLayout::Column;
using Cell = FlowLayout::Cell;

const Column* columnAt(const FlowLayout::Page& page, const FlowMetrics& metrics, double x) {
    if (page.columns.empty()) return nullptr;
    const double fromRight = metrics.viewWidth - metrics.marginX - x;
    const int last = page.columns.back().index;
    const int index =
        std::clamp(static_cast<int>(std::floor(fromRight / metrics.columnPitch)), 0, last);
    // Columns are kept in order of their index; a page starts at index 0.
    const auto found = std::lower_bound(
        page.columns.begin(), page.columns.end(), index,
        [](const Column& column, int wanted) { return column.index < wanted; });
    return found == page.columns.end() ? &page.columns.back() : &*found;
}

double rowAt(const FlowMetrics& metrics, double y) {
    return (y - metrics.marginTop) / metrics.fontSize;
}

}  // namespace

std::optional<Place> characterAt(const FlowLayout::Page& page, const FlowMetrics& metrics,
                                 double x, double y) {
    const Column* column = columnAt(page, metrics, x);
    if (column == nullptr) return std::nullopt;
    if (column->cells.empty()) return Place{column->paragraph, column->start};
    const double row = rowAt(metrics, y);
    // The last cell that starts at or above the row: below the column's end, its last cell.
    const Cell* under = &column->cells.front();
    for (const Cell& cell : column->cells) {
        if (cell.row > row) break;
        under = &cell;
    }
    return Place{column->paragraph, under->start};
}

std::optional<Place> caretAt(const FlowLayout::Page& page, const FlowMetrics& metrics, double x,
                             double y) {
    const Column* column = columnAt(page, metrics, x);
    if (column == nullptr) return std::nullopt;
    const double row = rowAt(metrics, y);
    for (const Cell& cell : column->cells) {
        if (row < cell.row + cell.rows / 2.0) return Place{column->paragraph, cell.start};
        if (row < cell.row + cell.rows) {
            const Offset end = cell.kind == Cell::Kind::Warichu && cell.leftEnd > cell.end
                                   ? cell.leftEnd
                                   : cell.end;
            return Place{column->paragraph, end};
        }
    }
    return Place{column->paragraph, column->cells.empty() ? column->start : column->end};
}

std::optional<std::size_t> rubyAt(const prose::ProseDocument& document,
                                  const FlowLayout::Page& page, const FlowMetrics& metrics,
                                  double x, double y) {
    const std::optional<Place> at = characterAt(page, metrics, x, y);
    if (!at || at->paragraph >= document.paragraphs.size()) return std::nullopt;
    const prose::Paragraph& paragraph = document.paragraphs[at->paragraph];
    for (std::size_t i = 0; i < page.ruby.size(); ++i) {
        const FlowLayout::RubyMark& mark = page.ruby[i];
        if (mark.paragraph != at->paragraph) continue;
        Offset start = 0;
        Offset end = 0;
        if (mark.left && mark.index < paragraph.notes.size()) {
            start = paragraph.notes[mark.index].start;
            end = paragraph.notes[mark.index].end;
        } else if (!mark.left && mark.index < paragraph.ruby.size()) {
            start = paragraph.ruby[mark.index].start;
            end = paragraph.ruby[mark.index].end;
        }
        if (at->offset >= start && at->offset < end) return i;
    }
    return std::nullopt;
}

std::vector<Band> bandsOf(const FlowLayout::Page& page, const FlowMetrics& metrics, Place from,
                          Place to) {
    std::vector<Band> bands;
    if (!(from < to)) return bands;
    for (const Column& column : page.columns) {
        int first = -1;
        int last = -1;
        for (const Cell& cell : column.cells) {
            const Offset end = std::max(cell.end, cell.leftEnd);
            const Place cellStart{column.paragraph, cell.start};
            const Place cellEnd{column.paragraph, end};
            if (!(cellStart < to && from < cellEnd)) continue;
            if (first < 0) first = cell.row;
            last = cell.row + cell.rows;
        }
        if (first < 0) continue;
        const int left = metrics.bodyX(column.index);
        const int top = static_cast<int>(std::lround(metrics.rowY(first)));
        const int bottom = static_cast<int>(std::lround(metrics.rowY(last)));
        bands.push_back({left, top, metrics.rubyX(column.index) + metrics.rubySize - left,
                         bottom - top});
    }
    return bands;
}

}  // namespace tavelo::flow
