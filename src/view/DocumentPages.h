#pragma once

#include <vector>

#include "common/ClassicTypes.h"
#include "view/ColumnPager.h"

namespace tavelo {

class CViewData;

// The pages of one document in one style, for printing and the PDF: whole columns per
// page at the scroll offsets the window itself uses, so that each page is a picture of the
// view. In the large style every set of lines gives two pages, its upper tiers and then its
// lower tiers, as the view shows them.
//
// Given: a laid-out document, the style (0 small, 1 large) and the width of the view it was
// laid out for. Calculated: the columns (the grid of the layout, empty lines included) and the
// pages with their first and last line (1-based), tier and offset.
class DocumentPages {
public:
    struct Page {
        Integer firstLine = 1;
        Integer lastLine = 1;
        Integer tier = 0;  // always 0 in the small style
        Long offsetX = 0;
    };

    // The band each line's ink may cover at offset 0: from the left edge of its body's em
    // square to the right edge of its ruby, bracketed kanji included.
    [[nodiscard]] static std::vector<ColumnPager::Column> columnsOf(const CViewData& view,
                                                                    Integer style);
    [[nodiscard]] static std::vector<Page> pagesOf(const CViewData& view, Integer style,
                                                   long viewWidth);
    // The window's offset when `line` (1-based) is the first line of the view.
    [[nodiscard]] static Long firstLineOffset(const CViewData& view, Integer style, Integer line);
};

}  // namespace tavelo
