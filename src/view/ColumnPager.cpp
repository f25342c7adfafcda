#include "view/ColumnPager.h"

namespace tavelo {

bool ColumnPager::shownWhole(const Column& column, long offsetX, long viewWidth) {
    const auto offset = static_cast<double>(offsetX);
    return column.left + offset >= 0 && column.right + offset <= static_cast<double>(viewWidth);
}

std::vector<ColumnPager::Page> ColumnPager::paginate(const std::vector<Column>& columns,
                                                     long viewWidth) {
    std::vector<Page> pages;
    const int count = static_cast<int>(columns.size());
    int first = 0;
    while (first < count) {
        Page page;
        page.firstLine = first;
        page.offsetX = columns[static_cast<std::size_t>(first)].firstOffset;
        // The first line belongs to its page even when it is too wide for any view: otherwise
        // the paging would never end.
        int last = first;
        while (last + 1 < count &&
               shownWhole(columns[static_cast<std::size_t>(last + 1)], page.offsetX, viewWidth))
            ++last;
        page.lastLine = last;
        pages.push_back(page);
        first = last + 1;
    }
    return pages;
}

}  // namespace tavelo
