#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/RecordingMessageSink.h"
#include "layout/CEisuuCyotai.h"
#include "support/FixedMeasuringDevice.h"
#include "reader/Tl2TestBytes.h"
#include "store/CViewData.h"
#include "store/CViewDataS.h"
#include "store/DocumentLoader.h"
#include "view/DocumentPages.h"
#include "view/DocumentPainter.h"
#include "support/RecordingDrawingSurface.h"

namespace tavelo {

using Page = DocumentPages::Page;

namespace {

constexpr long kViewWidth = 449;
constexpr long kViewHeight = 624;

Single emHeight(Single points) {
    return std::round(points * 4 / 3);
}

// A document of `lines` lines of varied length with ruby on some, laid out for the default
// view.
struct Document {
    explicit Document(int lines, bool emptyLines = true) {
        // A line of half-width kana is the ruby of the body line after it.
        std::string text;
        for (int i = 0; i < lines; ++i) {
            if (emptyLines && i % 5 == 3 && i + 1 < lines) {  // the file does not end with one
                text += "\r\n";                               // an empty line keeps its column
            } else if (i % 2 == 0) {
                text += "ﾜｶﾞﾊｲ ﾈｺ\r\n吾輩は猫である。名前はまだ無い。\r\n";
            } else if (i % 7 == 1) {
                text +=
                    "どこで生れたかとんと見当がつかぬ。何でも薄暗いじめじめした所で泣いていた。"
                    "\r\n";
            } else {
                text += "どこで生れたかとんと見当がつかぬ。\r\n";
            }
        }
        loader.loadBytes(testing::sjis(text), u"a.tl2");
        view = &loader.addTo(list, u"1:00:00 a.tl2");
        if (view->GyouArraySize() != lines)
            throw std::logic_error("the test document has " +
                                   std::to_string(view->GyouArraySize()) + " lines");
    }
    RecordingMessageSink messages;
    FixedMeasuringDevice device{static_cast<Single>(kViewWidth), static_cast<Single>(kViewHeight),
                                emHeight};
    DocumentLoader loader{messages, device};
    CViewDataS list;
    const CViewData* view = nullptr;
};

// How many lines the view shows whole from the top of a document without empty lines,
// counted from the stored positions: a body column reaches one em left of its x.
int linesInTheFirstView(Integer style) {
    const Document document(60, false);
    const CViewData& view = *document.view;
    const int em = MulDiv(view.FontSizeBun(style), 96, 72);
    int count = 0;
    for (Integer g = 1; g <= view.GyouArraySize(); ++g) {
        const Long x = style == 0 ? view.position(PositionTables::kSmallBunX, g, 1)
                                  : view.position(PositionTables::kBigBunX, g, 1);
        if (x - em < 0) break;
        ++count;
    }
    return count;
}

// Checks that the pages of a style cover the lines in order without gaps, each set of lines
// once (the large style: once per tier), and returns the first line of every set.
std::vector<Integer> firstLines(const std::vector<Page>& pages, Integer style, Integer lines) {
    std::vector<Integer> firsts;
    Integer expected = 1;
    for (std::size_t i = 0; i < pages.size(); ++i) {
        const Page& page = pages[i];
        if (style == 1 && page.tier == 1) {
            // A lower-tier page repeats the lines of the upper-tier page before it.
            EXPECT_GT(i, std::size_t{0});
            if (i == 0) continue;
            EXPECT_EQ(pages[i - 1].tier, Integer{0}) << "page " << i;
            EXPECT_EQ(page.firstLine, pages[i - 1].firstLine) << "page " << i;
            EXPECT_EQ(page.lastLine, pages[i - 1].lastLine) << "page " << i;
            continue;
        }
        EXPECT_EQ(page.tier, Integer{0}) << "page " << i;
        EXPECT_EQ(page.firstLine, expected) << "page " << i;
        EXPECT_GE(page.lastLine, page.firstLine) << "page " << i;
        firsts.push_back(page.firstLine);
        expected = static_cast<Integer>(page.lastLine + 1);
    }
    EXPECT_EQ(expected, static_cast<Integer>(lines + 1));
    return firsts;
}

TEST(DocumentPagesTest, oneLine_isOnePageOrAnUpperAndALowerPage) {
    const Document document(1);
    const auto small = DocumentPages::pagesOf(*document.view, 0, kViewWidth);
    ASSERT_EQ(small.size(), std::size_t{1});
    EXPECT_EQ(small[0].firstLine, Integer{1});
    EXPECT_EQ(small[0].lastLine, Integer{1});
    EXPECT_EQ(small[0].offsetX, Long{0});
    const auto large = DocumentPages::pagesOf(*document.view, 1, kViewWidth);
    ASSERT_EQ(large.size(), std::size_t{2});
    EXPECT_EQ(large[0].tier, Integer{0});
    EXPECT_EQ(large[1].tier, Integer{1});
    EXPECT_EQ(large[1].firstLine, Integer{1});
}

TEST(DocumentPagesTest, twoLines_shareAPage) {
    const Document document(2);
    for (const Integer style : {Integer{0}, Integer{1}}) {
        const auto pages = DocumentPages::pagesOf(*document.view, style, kViewWidth);
        ASSERT_EQ(pages.size(), std::size_t(style == 0 ? 1 : 2));
        EXPECT_EQ(pages[0].lastLine, Integer{2});
    }
}

TEST(DocumentPagesTest, aPagesWorth_fillsOnePageAndOneMoreLineStartsASecond) {
    for (const Integer style : {Integer{0}, Integer{1}}) {
        const int perPage = linesInTheFirstView(style);
        EXPECT_TRUE(perPage >= 2);
        const Document full(perPage);
        const auto one = DocumentPages::pagesOf(*full.view, style, kViewWidth);
        ASSERT_EQ(one.size(), std::size_t(style == 0 ? 1 : 2));
        EXPECT_EQ(one[0].lastLine, static_cast<Integer>(perPage));

        const Document more(perPage + 1);
        const auto two = DocumentPages::pagesOf(*more.view, style, kViewWidth);
        EXPECT_EQ(firstLines(two, style, static_cast<Integer>(perPage + 1)),
                  (std::vector<Integer>{1, static_cast<Integer>(perPage + 1)}));
    }
}

TEST(DocumentPagesTest, manyLines_everyPageStartsAfterThePreviousOne) {
    const Document document(200);
    for (const Integer style : {Integer{0}, Integer{1}}) {
        const auto pages = DocumentPages::pagesOf(*document.view, style, kViewWidth);
        const std::vector<Integer> firsts = firstLines(pages, style, 200);
        // The grid is even, so every full page holds the same number of lines.
        const int perPage = firsts.at(1) - firsts.at(0);
        EXPECT_EQ(perPage, linesInTheFirstView(style));
        const std::size_t sets = (200 + perPage - 1) / perPage;
        EXPECT_EQ(firsts.size(), sets);
        ASSERT_EQ(pages.size(), sets * (style == 0 ? 1 : 2));
    }
}

TEST(DocumentPagesTest, columns_followTheLayoutsPositions) {
    const Document document(40);
    const CViewData& view = *document.view;
    for (const Integer style : {Integer{0}, Integer{1}}) {
        const auto columns = DocumentPages::columnsOf(view, style);
        ASSERT_EQ(columns.size(), std::size_t{40});
        const int em = MulDiv(view.FontSizeBun(style), 96, 72);
        for (Integer g = 1; g <= 40; ++g) {
            const auto& column = columns[static_cast<std::size_t>(g - 1)];
            if (view.LenBunDan(g) > 0) {
                const Long x = style == 0 ? view.position(PositionTables::kSmallBunX, g, 1)
                                          : view.position(PositionTables::kBigBunX, g, 1);
                EXPECT_DOUBLE_EQ(column.left, static_cast<double>(x - em));
            }
            for (Integer d = 1; d <= view.LenRubiDan(g); ++d) {
                const Long x = style == 0 ? view.position(PositionTables::kSmallRubiX, g, d)
                                          : view.position(PositionTables::kBigRubiX, g, d);
                EXPECT_TRUE(x <= column.right);
            }
        }
    }
}

TEST(DocumentPagesTest, drawnPages_neverCutAColumn) {
    const Document document(90);
    const CViewData& view = *document.view;
    CEisuuCyotai fonts;
    for (const Integer style : {Integer{0}, Integer{1}}) {
        const int bodyEm = MulDiv(view.FontSizeBun(style), 96, 72);
        for (const Page& page : DocumentPages::pagesOf(view, style, kViewWidth)) {
            RecordingDrawingSurface surface;
            DocumentPainter painter(surface, fonts);
            PaintState state;
            state.offsetX = page.offsetX;
            state.firstLine = page.firstLine;
            state.lastLine = page.lastLine;
            if (style == 0) {
                painter.DrawSmallBun(view, state);
                painter.DrawSmallRubi(view, state);
            } else {
                painter.DrawBigBun(view, page.tier, state);
                painter.DrawBigRubi(view, page.tier, state);
            }
            // Every set of lines has upper tiers; short lines have no lower ones.
            if (page.tier == 0) {
                EXPECT_FALSE(surface.drawnTexts().empty());
            }
            for (const auto& text : surface.drawnTexts()) {
                const int em = -text.logFont.lfHeight;
                EXPECT_TRUE(em <= bodyEm + 1);
                // The em square stands left of x.
                EXPECT_TRUE(text.x - em >= 0 && text.x <= kViewWidth)
                    << "page from line " << page.firstLine << ": x " << text.x;
            }
        }
    }
}

TEST(DocumentPagesTest, offsets_areTheWindowsForTheFirstLine) {
    const Document document(120);
    const CViewData& view = *document.view;
    const auto small = DocumentPages::pagesOf(view, 0, kViewWidth);
    for (const Page& page : small) {
        const double expected =
            (page.firstLine - 1) * static_cast<double>(static_cast<float>(view.CharSpace(0) * 2.0));
        EXPECT_TRUE(std::abs(page.offsetX - expected) <= 0.5);
    }
    const auto large = DocumentPages::pagesOf(view, 1, kViewWidth);
    for (const Page& page : large) {
        const double expected = 2.0 * (page.firstLine - 1) * view.CharSpace(1);
        EXPECT_TRUE(std::abs(page.offsetX - expected) <= 0.5);
    }
    // Scrolled by its offset, the first line of a page stands where line 1 stands unscrolled.
    const auto columns = DocumentPages::columnsOf(view, 0);
    for (const Page& page : small) {
        const auto& first = columns.at(static_cast<std::size_t>(page.firstLine - 1));
        EXPECT_TRUE(std::abs(first.right + page.offsetX - columns[0].right) <= 1);
    }
}

}  // namespace
}  // namespace tavelo
