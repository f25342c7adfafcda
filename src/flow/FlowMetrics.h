#pragma once

#include "layout/DefaultViewSize.h"

namespace tavelo::flow {

// What the reader chose for the flowing pages.
struct FlowSettings {
    int viewWidth = kDefaultViewWidth;
    int viewHeight = kDefaultViewHeight;
    int zoomPercent = 100;
    bool looseBreaking = false;   // small kana and ー may begin a column
    bool hanging = true;          // 、。，． may hang below the last row
    bool autoTateChuYoko = true;  // two lone half-width digits, !? !! ?? set upright
    bool rubySpace = true;        // false: ruby hidden, the columns closer
};

// The geometry of a flowing page, in view pixels.
//
// Given: the view's size and the zoom. Calculated:
// - fontSize = max(6, round(20 × zoom / 100)): the body cell is fontSize square;
// - rubySize = fontSize / 2 (rounded): ruby characters, in a band beside each column;
// - columnPitch = round(fontSize × 1.75): body, ruby and the gap between columns (× 1.5 without
//   ruby space, when the reader hides the ruby);
// - marginTop = marginBottom = fontSize, marginX = columnPitch / 2 (rounded down) left and
//   right;
// - charactersPerColumn N = max(1, (viewHeight − 2·marginTop) / fontSize),
//   columnsPerPage M = max(1, (viewWidth − 2·marginX) / columnPitch).
// Column c of a page (0 = rightmost) covers x in [columnX(c), columnX(c) + columnPitch), with
// columnX(c) = viewWidth − marginX − (c + 1)·columnPitch. Inside it, from the right: the ruby
// band [rubyX(c), rubyX(c) + rubySize), then the body cells [bodyX(c), bodyX(c) + fontSize),
// then the gap, where left ruby stands in [bodyX(c) − rubySize, bodyX(c)). Body row r (0-based;
// row N holds a hanging mark) covers y in [rowY(r), rowY(r) + fontSize), rowY(r) = marginTop +
// r·rowPitch; ruby rows are given as fractions of rows on the same scale. On screen rowPitch
// is fontSize; a manuscript sheet whose cells are taller than the type sets it apart.
struct FlowMetrics {
    int viewWidth = 0;
    int viewHeight = 0;
    int fontSize = 0;
    int rubySize = 0;
    int columnPitch = 0;
    int rowPitch = 0;
    int marginTop = 0;
    int marginBottom = 0;
    int marginX = 0;
    int charactersPerColumn = 1;
    int columnsPerPage = 1;

    [[nodiscard]] static FlowMetrics of(const FlowSettings& settings);
    // A fixed grid of N × M cells at the size of zoom 100, on a view that holds exactly it
    // (the manuscript sheets). Values below 1 count as 1.
    [[nodiscard]] static FlowMetrics grid(int charactersPerColumn, int columnsPerPage);

    [[nodiscard]] int columnX(int c) const { return viewWidth - marginX - (c + 1) * columnPitch; }
    [[nodiscard]] int rubyX(int c) const { return columnX(c) + columnPitch - rubySize; }
    [[nodiscard]] int bodyX(int c) const { return rubyX(c) - fontSize; }
    [[nodiscard]] double rowY(double r) const { return marginTop + r * rowPitch; }

    friend bool operator==(const FlowMetrics&, const FlowMetrics&) = default;
};

}  // namespace tavelo::flow
