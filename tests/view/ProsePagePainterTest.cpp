#include <gtest/gtest.h>

#include <cmath>

#include "flow/FlowLayout.h"
#include "prose/AozoraReader.h"
#include "support/RecordingDrawingSurface.h"
#include "view/ProsePagePainter.h"

namespace tavelo {
namespace {

using flow::FlowLayout;

struct Painted {
    prose::ProseDocument document;
    std::unique_ptr<FlowLayout> layout;
    RecordingDrawingSurface surface;
};

// Reads `text` as a prose file and paints `page` of it in the default view.
std::unique_ptr<Painted> paint(std::u32string_view text, const ProsePaintState& state = {},
                               int page = 0) {
    auto painted = std::make_unique<Painted>();
    painted->document = prose::readAozoraText(text);
    painted->layout = std::make_unique<FlowLayout>(painted->document, flow::FlowSettings{});
    ProsePagePainter painter(painted->surface);
    painter.paint(painted->document, painted->layout->metrics(), painted->layout->page(page),
                  state);
    return painted;
}

const std::u32string kStory =
    U"題\n著者\n\n"
    U"　吾輩は猫である。名前はまだ無い。どこで生れたかとんと見当がつかぬ。"
    U"何でも｜薄暗《うすぐら》いじめじめした所でニャーニャー泣いていた事だけは記憶している。\n"
    U"\n"
    U"［＃５字下げ］第二［＃「第二」は中見出し］\n"
    U"吾輩はここで始めて人間というものを見た。12月の事である。\n";

TEST(ProsePagePainterTest, everyCellOfThePage_isDrawnOnce_inItsColumnAndRow) {
    const auto painted = paint(kStory);
    const flow::FlowMetrics& metrics = painted->layout->metrics();
    const FlowLayout::Page page = painted->layout->page(0);
    std::u32string expected;
    std::vector<std::pair<int, int>> places;
    for (const FlowLayout::Column& column : page.columns) {
        const std::u32string& text = painted->document.paragraphs[column.paragraph].text;
        for (const FlowLayout::Cell& cell : column.cells) {
            // Upright pairs stand across the column; a heading's cells are set larger.
            if (cell.kind == FlowLayout::Cell::Kind::Upright || cell.scale != 1) continue;
            expected += text.substr(cell.start, cell.end - cell.start);
            places.emplace_back(metrics.bodyX(column.index) + metrics.fontSize,
                                static_cast<int>(metrics.rowY(cell.row)));
        }
    }
    std::u32string drawn;
    std::vector<std::pair<int, int>> at;
    for (const auto& text : painted->surface.drawnTexts()) {
        if (text.logFont.lfHeight != -metrics.fontSize || text.logFont.lfEscapement != 2700)
            continue;
        drawn += text.unicode;
        at.emplace_back(text.x, text.y);
    }
    EXPECT_EQ(drawn, expected);
    EXPECT_EQ(at, places);
    EXPECT_EQ(painted->surface.liveFontCount(), 0) << "the page's fonts are deleted";
    // The 中見出し, one step larger.
    std::u32string heading;
    for (const auto& text : painted->surface.drawnTexts())
        if (text.logFont.lfHeight == -static_cast<int>(std::lround(metrics.fontSize * 1.2)))
            heading += text.unicode;
    EXPECT_EQ(heading, U"第二");
}

TEST(ProsePagePainterTest, rubyAtHalfSize_besideItsBase_andTateChuYokoAcrossTheColumn) {
    const auto painted = paint(kStory);
    const flow::FlowMetrics& metrics = painted->layout->metrics();
    std::u32string ruby;
    std::u32string across;
    for (const auto& text : painted->surface.drawnTexts()) {
        if (text.logFont.lfHeight == -metrics.rubySize) {
            ruby += text.unicode;
            // At the right edge of a column's ruby band: rubyX(c) + rubySize, which is the
            // column's right edge.
            EXPECT_EQ((metrics.viewWidth - metrics.marginX - text.x) % metrics.columnPitch, 0);
        }
        if (text.logFont.lfEscapement == 0) across += text.unicode;
    }
    EXPECT_EQ(ruby, U"うすぐら");
    EXPECT_EQ(across, U"12");
}

TEST(ProsePagePainterTest, hits_takeTheHitColour_theRestTheInk) {
    ProsePaintState state;
    state.inkColor = RGB(10, 20, 30);
    state.hitColor = RGB(200, 0, 0);
    const prose::ProseDocument document = prose::readAozoraText(kStory);
    state.hits = prose::mergeHits(prose::findAll(document, U"吾輩"));
    ASSERT_EQ(state.hits.size(), 2u);
    const auto painted = paint(kStory, state);
    std::u32string red;
    for (const auto& text : painted->surface.drawnTexts()) {
        if (text.color == state.hitColor)
            red += text.unicode;
        else
            EXPECT_EQ(text.color, state.inkColor);
    }
    EXPECT_EQ(red, U"吾輩吾輩");
}

TEST(ProsePagePainterTest, sizedTextAtItsScale_andAFigureAsItsCaptionInABoxFrame) {
    const auto painted = paint(
        U"題\n著者\n\n本文［＃２段階大きな文字］大字［＃大きな文字終わり］本。\n"
        U"［＃「庭」のキャプション付きの図（a.png、横1×縦1）入る］\n");
    const int size = painted->layout->metrics().fontSize;
    const int larger = static_cast<int>(std::lround(size * 1.44));
    std::u32string scaled;
    std::u32string body;
    std::u32string frame;
    std::u32string caption;
    for (const auto& text : painted->surface.drawnTexts()) {
        if (text.logFont.lfEscapement == 0) frame += text.unicode;  // the box characters
        else if (text.logFont.lfHeight == -larger) scaled += text.unicode;
        else if (text.logFont.lfHeight == -size) body += text.unicode;
        else caption += text.unicode;
    }
    EXPECT_EQ(scaled, U"大字");
    EXPECT_EQ(body, U"本文本。");
    EXPECT_EQ(caption, U"挿絵：庭");
    for (const char32_t corner : std::u32string_view(U"┌┐└┘│─"))
        EXPECT_NE(frame.find(corner), std::u32string::npos) << static_cast<int>(corner);
}

}  // namespace
}  // namespace tavelo
