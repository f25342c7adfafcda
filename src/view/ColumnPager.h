#pragma once

#include <vector>

namespace tavelo {

// Splits a run of columns into pages of whole columns, for printing the view.
//
// Given: per line, in reading order, the horizontal band its ink may cover at scroll offset 0
// (view pixels, left < right) and the scroll offset that makes it the first line of the view;
// the view's width. Calculated: the pages, each starting with the first line that the previous
// page did not show whole and holding every following line that lies wholly inside the view
// at that page's offset. A column is never cut at a page edge; only a column wider than the
// view itself, which cannot be shown whole anywhere, still starts a page of its own.
class ColumnPager {
public:
    struct Column {
        double left = 0;
        double right = 0;
        long firstOffset = 0;  // the view's offset when this line is the first one shown
    };
    struct Page {
        int firstLine = 0;  // 0-based indices into the columns
        int lastLine = 0;
        long offsetX = 0;
    };

    [[nodiscard]] static std::vector<Page> paginate(const std::vector<Column>& columns,
                                                    long viewWidth);
    // True when the column lies wholly inside a view of the given width at the offset.
    [[nodiscard]] static bool shownWhole(const Column& column, long offsetX, long viewWidth);
};

}  // namespace tavelo
