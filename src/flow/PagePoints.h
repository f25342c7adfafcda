#pragma once

#include <optional>
#include <vector>

#include "flow/FlowLayout.h"

namespace tavelo::flow {

// Where the pointer is on a flowing page, and where a stretch of text lies on it: what
// selecting with the mouse and showing ruby under the pointer ask of a page.
//
// Points and bands are in the page's pixels (FlowMetrics). A point is taken to the nearest
// column of the page (right of the first column: the first; left of the last: the last) and,
// in it, to the nearest cell.

// The character under a point: the first of its cell. Nothing on a page without columns.
[[nodiscard]] std::optional<Place> characterAt(const FlowLayout::Page& page,
                                               const FlowMetrics& metrics, double x, double y);
// The boundary between characters nearest to a point, as a text caret stands: before a
// cell when the point is in its upper half, after it when in the lower; above a column's
// first cell its start, below its last cell its end.
[[nodiscard]] std::optional<Place> caretAt(const FlowLayout::Page& page,
                                           const FlowMetrics& metrics, double x, double y);

// The ruby mark (index into page.ruby) whose base holds the character under a point.
[[nodiscard]] std::optional<std::size_t> rubyAt(const prose::ProseDocument& document,
                                                const FlowLayout::Page& page,
                                                const FlowMetrics& metrics, double x, double y);

struct Band {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    friend bool operator==(const Band&, const Band&) = default;
};
// The parts of the page's columns that hold characters of [from, to): one band per column,
// from its first such cell to its last, across the body and the ruby beside it.
[[nodiscard]] std::vector<Band> bandsOf(const FlowLayout::Page& page, const FlowMetrics& metrics,
                                        Place from, Place to);

}  // namespace tavelo::flow
