#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "layout/CEisuuCyotai.h"
#include "layout/ScreenFontSource.h"
#include "view/ManuscriptPainter.h"
#include "support/RecordingDrawingSurface.h"

namespace tavelo {
namespace {

using Drawn = RecordingDrawingSurface::DrawnText;

class ListedFonts : public ScreenFontSource {
public:
    explicit ListedFonts(std::vector<String> fonts) : fonts_(std::move(fonts)) {}
    [[nodiscard]] Integer FontCount() const override { return static_cast<Integer>(fonts_.size()); }
    [[nodiscard]] String Fonts(Integer i) const override {
        return fonts_.at(static_cast<std::size_t>(i));
    }

private:
    std::vector<String> fonts_;
};

constexpr double kUnits = 10;  // surface units per point

class ManuscriptPainterTest : public ::testing::Test {
protected:
    ManuscriptPainterTest() { fonts.ScreenFont(ListedFonts({u"@ＭＳ 明朝", u"@Mojikyo M101"})); }

    // Draws `page` of the lines on a 3 x 2 grid of A4 landscape.
    std::vector<Drawn> paint(const std::vector<ManuscriptLayout::Line>& lines, int page,
                             const String& title = u"") {
        const ManuscriptLayout layout(lines, {3, 2});
        ManuscriptPainter painter(surface, fonts);
        painter.paintPage(layout, page, geometry, {kUnits, true, title});
        return surface.drawnTexts();
    }

    [[nodiscard]] int units(double points) const {
        return static_cast<int>(std::lround(points * kUnits));
    }

    CEisuuCyotai fonts;
    RecordingDrawingSurface surface;
    ManuscriptGeometry geometry{
        {ManuscriptGeometry::Paper::A4, ManuscriptGeometry::Orientation::Landscape, 3, 2, {}, {}}};
};

TEST_F(ManuscriptPainterTest, cellsAreDrawnOnTheirGridPositions) {
    // Column 1: 春は曙 (the last a kanji in another typeface); column 2: やうだ and 。 hanging
    // below row 3.
    ManuscriptLayout::Line line{
        u"春は曙やうだ。", {u"@ＭＳ 明朝", u"@ＭＳ 明朝", u"M101"}, u"", {}};
    const std::vector<Drawn> drawn = paint({line}, 1);
    ASSERT_EQ(drawn.size(), 8U);  // seven characters and the page number
    const double f = geometry.fontSize();
    const double down = (geometry.rowPitch() - f) / 2;
    for (std::size_t d = 0; d < 6; ++d) {
        const int column = d < 3 ? 1 : 2;
        const int row = static_cast<int>(d % 3) + 1;
        EXPECT_EQ(drawn[d].text, line.bun.substr(d, 1));
        EXPECT_EQ(drawn[d].x, units(geometry.bodyRight(column))) << d;
        EXPECT_EQ(drawn[d].y, units(geometry.rowTop(row) + down)) << d;
        EXPECT_EQ(drawn[d].logFont.lfEscapement, 2700);
        EXPECT_EQ(drawn[d].logFont.lfHeight, -units(f));
    }
    // Whatever the rounding, the columns stand a column pitch apart, the rows a row pitch.
    EXPECT_NEAR(drawn[0].x - drawn[3].x, geometry.columnPitch() * kUnits, 1);
    EXPECT_NEAR(drawn[1].y - drawn[0].y, geometry.rowPitch() * kUnits, 1);
    EXPECT_EQ(drawn[0].face, u"@ＭＳ 明朝");
    EXPECT_EQ(drawn[2].face, u"@Mojikyo M101");
    EXPECT_EQ(drawn[6].text, u"。");
    EXPECT_EQ(drawn[6].x, units(geometry.bodyRight(2)));
    EXPECT_EQ(drawn[6].y, units(geometry.rowTop(4) + down));
    EXPECT_EQ(surface.liveFontCount(), 0);
}

TEST_F(ManuscriptPainterTest, rubyStandsBesideItsBaseAtHalfSize) {
    // か beside the upper half of 漢, 人 (a bracketed kanji) beside the lower half of 字.
    const ManuscriptLayout::Line line{u"漢字", {}, u"か　　人", {false, false, false, true}};
    const std::vector<Drawn> drawn = paint({line}, 1);
    ASSERT_EQ(drawn.size(), 5U);  // 漢, 字, か, 人, the number
    const double r = geometry.rubiSize();
    const double slot = geometry.rowPitch() / 2;
    const Drawn& kana = drawn[2];
    EXPECT_EQ(kana.text, u"か");
    EXPECT_EQ(kana.x, units(geometry.bodyRight(1) + r));
    EXPECT_EQ(kana.y, units(geometry.rowTop(1) + (slot - r) / 2));
    EXPECT_EQ(kana.logFont.lfHeight, -units(r));
    EXPECT_EQ(kana.face, u"@ＭＳ 明朝");
    const Drawn& kanji = drawn[3];
    EXPECT_EQ(kanji.text, u"人");
    EXPECT_EQ(kanji.x, units(geometry.bodyRight(1) + 1.25 * r));
    EXPECT_EQ(kanji.y, units(geometry.rowTop(2) + slot + (slot - 1.25 * r) / 2));
    EXPECT_EQ(kanji.logFont.lfHeight, -units(1.25 * r));
}

TEST_F(ManuscriptPainterTest, pageNumberAndTitleAreCentredAcrossThePage) {
    // Seven single-character lines: page 2 holds lines 3 and 4.
    const std::vector<ManuscriptLayout::Line> lines(7, ManuscriptLayout::Line{u"あ", {}, u"", {}});
    const std::vector<Drawn> drawn = paint(lines, 2, u"題名");
    ASSERT_EQ(drawn.size(), 4U);
    const double size = geometry.marginTextSize();
    const Drawn& number = drawn[2];
    EXPECT_EQ(number.text, u"２");
    EXPECT_EQ(number.logFont.lfEscapement, 0);
    EXPECT_EQ(number.face, u"ＭＳ 明朝");
    EXPECT_EQ(number.x, units((geometry.pageWidth() - size) / 2));
    EXPECT_EQ(number.y, units(geometry.numberTop()));
    const Drawn& title = drawn[3];
    EXPECT_EQ(title.text, u"題名");
    EXPECT_EQ(title.x, units((geometry.pageWidth() - 2 * size) / 2));
    EXPECT_EQ(title.y, units(geometry.titleTop()));
}

TEST_F(ManuscriptPainterTest, blanksMissingPagesAndGridsThatDoNotFit_drawNothing) {
    EXPECT_EQ(paint({{u"　　", {}, u"　 ", {}}}, 1).size(), 1U);  // the number only
    surface.Cls();
    EXPECT_TRUE(paint({{u"あ", {}, u"", {}}}, 2).empty());
    EXPECT_TRUE(paint({{u"あ", {}, u"", {}}}, 0).empty());
    geometry = ManuscriptGeometry(
        {ManuscriptGeometry::Paper::A4, ManuscriptGeometry::Orientation::Landscape, 3, 2, {}, 5.0});
    EXPECT_TRUE(paint({{u"あ", {}, u"", {}}}, 1).empty());
}

}  // namespace
}  // namespace tavelo
