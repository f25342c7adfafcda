#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "flow/FlowLayout.h"
#include "flow/LineBreakRules.h"
#include "prose/AozoraReader.h"
#include "support/RecordingDrawingSurface.h"
#include "view/ProseManuscriptPainter.h"

namespace tavelo {
namespace {

constexpr double kUnits = 20.0;  // surface units to a point, as the printer draws

// A story of `paragraphs` paragraphs of random length (some empty), with ruby groups, brackets
// and the marks that may hang, read as an Aozora Bunko text.
std::u32string story(std::mt19937& random, int paragraphs) {
    static const std::u32string kCharacters =
        U"吾輩猫名前無何所薄暗泣記憶人間見始あいうえおかきくけこっゃーアイウ";
    static const std::u32string kMarks = U"、。「」";
    std::u32string text = U"題名\n著者名\n\n";
    for (int p = 0; p < paragraphs; ++p) {
        const int length = std::uniform_int_distribution<int>(0, 90)(random);
        if (length > 0) text += U"　";
        for (int i = 0; i < length; ++i) {
            const int pick = std::uniform_int_distribution<int>(0, 19)(random);
            if (pick == 0) {
                text += U"｜薄暗《うすぐら》";
            } else if (pick <= 3) {
                text += kMarks[static_cast<std::size_t>(pick - 1)];
            } else {
                text += kCharacters[std::uniform_int_distribution<std::size_t>(
                    0, kCharacters.size() - 1)(random)];
            }
        }
        text += U"\n";
    }
    return text;
}

struct Drawn {
    std::u32string body;  // in the order drawn
    int pages = 0;
};

// Paints every page of the manuscript and checks each body character's place on the grid.
Drawn paintAll(const prose::ProseDocument& document, const ManuscriptGeometry& geometry) {
    flow::FlowLayout layout = ProseManuscriptPainter::layoutOf(document, geometry);
    const flow::FlowMetrics metrics = ProseManuscriptPainter::metricsOf(geometry, kUnits);
    const int n = geometry.settings().charactersPerColumn;
    const int m = geometry.settings().columnsPerPage;
    RecordingDrawingSurface surface;
    ProseManuscriptPainter painter(surface);
    Drawn drawn;
    drawn.pages = layout.pageCount();
    for (int page = 0; page < drawn.pages; ++page) {
        surface.Cls();
        painter.paintPage(document, layout, page, geometry, {kUnits, true});
        bool numbered = false;
        for (const RecordingDrawingSurface::DrawnText& text : surface.drawnTexts()) {
            if (text.unicode.empty()) {  // the page number, across the foot
                String number;
                for (char digit : std::to_string(page + 1))
                    number += static_cast<char16_t>(u'０' + (digit - '0'));
                EXPECT_EQ(text.text, number);
                numbered = true;
                continue;
            }
            if (text.logFont.lfHeight != -metrics.fontSize || text.logFont.lfEscapement != 2700)
                continue;  // ruby
            SCOPED_TRACE(testing::Message()
                         << "page " << page << " at " << text.x << "," << text.y);
            EXPECT_EQ(text.unicode.size(), 1U);
            drawn.body += text.unicode;
            // On one of the M columns' body lines of the manuscript, and on one of its N rows,
            // centred in it (row N only for a mark that hangs). The pitches are whole units,
            // so a place may stray by half a unit a step from the first column or row.
            const long column = std::lround((geometry.bodyRight(1) * kUnits - text.x) /
                                            (geometry.columnPitch() * kUnits));
            EXPECT_GE(column, 0);
            EXPECT_LT(column, m);
            EXPECT_NEAR(text.x, geometry.bodyRight(static_cast<int>(column) + 1) * kUnits,
                        0.5 * static_cast<double>(column) + 1);
            const double centring = (geometry.rowPitch() - geometry.fontSize()) / 2;
            const long row = std::lround((text.y - (geometry.rowTop(1) + centring) * kUnits) /
                                         (geometry.rowPitch() * kUnits));
            EXPECT_GE(row, 0);
            EXPECT_LE(row, n);
            EXPECT_NEAR(text.y, (geometry.rowTop(static_cast<int>(row) + 1) + centring) * kUnits,
                        0.5 * static_cast<double>(row) + 1);
            if (row == n) {
                EXPECT_TRUE(flow::LineBreakRules::mayHang(text.unicode[0]));
            }
        }
        EXPECT_TRUE(numbered) << "page " << page;
    }
    return drawn;
}

std::u32string allText(const prose::ProseDocument& document) {
    std::u32string text;
    for (const prose::Paragraph& paragraph : document.paragraphs) text += paragraph.text;
    return text;
}

// Every character drawn once, in reading order, on a cell of the grid, for stories of many
// lengths on grids of many shapes; a 20 x 20 grid gives the document's sheet count.
TEST(ProseManuscriptPainterTest, everyCharacterOnce_inOrder_onTheGrid) {
    std::mt19937 random(20261208);
    for (int round = 0; round < 24; ++round) {
        const prose::ProseDocument document =
            prose::readAozoraText(story(random, std::uniform_int_distribution<int>(1, 40)(random)));
        ManuscriptGeometry::Settings settings;
        const bool sheets = round % 3 == 0;
        settings.charactersPerColumn =
            sheets ? 20 : std::uniform_int_distribution<int>(10, 40)(random);
        settings.columnsPerPage = sheets ? 20 : std::uniform_int_distribution<int>(5, 30)(random);
        settings.orientation = round % 2 == 0 ? ManuscriptGeometry::Orientation::Landscape
                                              : ManuscriptGeometry::Orientation::Portrait;
        const ManuscriptGeometry geometry(settings);
        ASSERT_TRUE(geometry.fits());
        SCOPED_TRACE(testing::Message() << "round " << round << ": " << settings.charactersPerColumn
                                        << "x" << settings.columnsPerPage);
        const Drawn drawn = paintAll(document, geometry);
        EXPECT_EQ(drawn.body, allText(document));
        if (sheets) {
            EXPECT_EQ(drawn.pages, flow::FlowLayout::length(document).sheets400);
        }
    }
}

TEST(ProseManuscriptPainterTest, titlePage_setsTitleAndAuthorDown_andNoNumber) {
    const prose::ProseDocument document = prose::readAozoraText(U"羅生門\n芥川龍之介\n\n本文。\n");
    ASSERT_EQ(document.title, U"羅生門");
    const ManuscriptGeometry geometry(ManuscriptGeometry::Settings{});
    RecordingDrawingSurface surface;
    ProseManuscriptPainter(surface).paintTitlePage(document, geometry, {kUnits, true});
    // Two columns down the page: the title in larger type, the author left of it.
    std::u32string title;
    std::u32string author;
    int titleX = 0;
    int authorX = 0;
    const LONG titleHeight = surface.drawnTexts().front().logFont.lfHeight;
    for (const RecordingDrawingSurface::DrawnText& text : surface.drawnTexts()) {
        EXPECT_EQ(text.logFont.lfEscapement, 2700);
        const bool isTitle = text.logFont.lfHeight == titleHeight;
        (isTitle ? title : author) += text.unicode;
        (isTitle ? titleX : authorX) = text.x;
    }
    EXPECT_EQ(title, U"羅生門");
    EXPECT_EQ(author, U"芥川龍之介");
    EXPECT_LT(authorX, titleX);
    EXPECT_LT(titleHeight, -geometry.fontSize() * kUnits);  // larger than the body
    EXPECT_EQ(surface.liveFontCount(), 0);
}

}  // namespace
}  // namespace tavelo
