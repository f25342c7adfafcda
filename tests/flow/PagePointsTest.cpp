#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "flow/PagePoints.h"
#include "prose/AozoraReader.h"

namespace tavelo::flow {
namespace {

prose::ProseDocument novel() {
    std::u32string text = U"題名\n著者\n\n";
    for (int i = 0; i < 12; ++i)
        text += U"　吾輩《わがはい》は猫である。名前はまだ無い。どこで生れたかとんと見当《けんとう》"
                U"がつかぬ。何でも薄暗いじめじめした所で泣いていた事だけは記憶している。\n\n";
    return prose::readAozoraText(text);
}

// Every cell of every page is found again under its own points, and its ruby under it.
TEST(PagePoints, EveryCellIsFoundUnderItsPoints) {
    const prose::ProseDocument document = novel();
    FlowLayout layout(document, FlowSettings{400, 300, 100});
    const FlowMetrics& m = layout.metrics();
    int rubyFound = 0;
    for (int p = 0; p < layout.pageCount(); ++p) {
        const FlowLayout::Page page = layout.page(p);
        for (const FlowLayout::Column& column : page.columns) {
            const double x = m.bodyX(column.index) + m.fontSize / 2.0;
            for (const FlowLayout::Cell& cell : column.cells) {
                const Place start{column.paragraph, cell.start};
                const double top = m.rowY(cell.row);
                EXPECT_EQ(characterAt(page, m, x, top + m.fontSize * 0.9), start);
                EXPECT_EQ(caretAt(page, m, x, top + 1), start);
                EXPECT_EQ(caretAt(page, m, x, top + m.fontSize * cell.rows - 1),
                          (Place{column.paragraph, cell.end}));
                const auto ruby = rubyAt(document, page, m, x, top + 1);
                const auto& rubies = document.paragraphs[column.paragraph].ruby;
                const bool underRuby = std::any_of(rubies.begin(), rubies.end(), [&](auto& r) {
                    return r.start <= cell.start && cell.start < r.end;
                });
                EXPECT_EQ(ruby.has_value(), underRuby);
                rubyFound += ruby ? 1 : 0;
            }
            // Above the first cell and below the last: the column's ends.
            EXPECT_EQ(caretAt(page, m, x, 0), (Place{column.paragraph, column.start}));
            EXPECT_EQ(caretAt(page, m, x, m.viewHeight), (Place{column.paragraph, column.end}));
        }
        // Outside the columns: the first and the last column.
        if (page.columns.empty()) continue;
        EXPECT_EQ(caretAt(page, m, m.viewWidth + 50, 0)->paragraph, page.columns.front().paragraph);
        EXPECT_EQ(caretAt(page, m, -50, m.viewHeight),
                  (Place{page.columns.back().paragraph, page.columns.back().end}));
    }
    EXPECT_GT(rubyFound, 0);
}

// A selection gives one band per column it touches, inside the column and in reading order.
TEST(PagePoints, BandsCoverTheSelectedCellsOnly) {
    const prose::ProseDocument document = novel();
    FlowLayout layout(document, FlowSettings{400, 300, 100});
    const FlowMetrics& m = layout.metrics();
    ASSERT_GT(layout.pageCount(), 2);
    const FlowLayout::Page page = layout.page(1);
    // Two neighbouring columns with text (the blank lines between paragraphs have none).
    std::size_t i = 0;
    while (i + 1 < page.columns.size() &&
           (page.columns[i].cells.size() < 2 || page.columns[i + 1].cells.size() < 2))
        ++i;
    ASSERT_LT(i + 1, page.columns.size());
    const FlowLayout::Column& second = page.columns[i];
    const FlowLayout::Column& third = page.columns[i + 1];
    // From the second cell of the second column to the first two cells of the third.
    const Place from{second.paragraph, second.cells[1].start};
    const Place to{third.paragraph, third.cells[1].end};
    const std::vector<Band> bands = bandsOf(page, m, from, to);
    ASSERT_EQ(bands.size(), 2u);
    EXPECT_EQ(bands[0].x, m.bodyX(second.index));
    EXPECT_EQ(bands[0].y, static_cast<int>(m.rowY(second.cells[1].row)));
    EXPECT_EQ(bands[0].y + bands[0].height,
              static_cast<int>(m.rowY(second.cells.back().row + second.cells.back().rows)));
    EXPECT_EQ(bands[1].x, m.bodyX(third.index));
    EXPECT_EQ(bands[1].y, static_cast<int>(m.rowY(third.cells[0].row)));
    EXPECT_EQ(bands[1].height, 2 * m.fontSize);
    EXPECT_GT(bands[0].x, bands[1].x);  // right to left
    EXPECT_TRUE(bandsOf(page, m, to, from).empty());
    // A selection from before the page to after it covers every column with text.
    const long withText = std::count_if(page.columns.begin(), page.columns.end(),
                                        [](auto& c) { return !c.cells.empty(); });
    EXPECT_EQ(static_cast<long>(bandsOf(page, m, {0, 0}, {9999, 0}).size()), withText);
}

TEST(PagePoints, HiddenRubyBringsTheColumnsCloser) {
    FlowSettings settings{1000, 600, 100};
    const FlowMetrics shown = FlowMetrics::of(settings);
    settings.rubySpace = false;
    const FlowMetrics hidden = FlowMetrics::of(settings);
    EXPECT_EQ(hidden.fontSize, shown.fontSize);
    EXPECT_LT(hidden.columnPitch, shown.columnPitch);
    EXPECT_GT(hidden.columnsPerPage, shown.columnsPerPage);
    EXPECT_GE(hidden.columnPitch, hidden.fontSize + hidden.rubySize);
}

}  // namespace
}  // namespace tavelo::flow
