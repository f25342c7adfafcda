#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "view/ManuscriptGeometry.h"

namespace tavelo {
namespace {

using Settings = ManuscriptGeometry::Settings;
using Paper = ManuscriptGeometry::Paper;
using Orientation = ManuscriptGeometry::Orientation;
using Fit = ManuscriptGeometry::Fit;

constexpr double kPointsPerMillimetre = 72.0 / 25.4;

Settings grid(int n, int m, std::optional<double> fontSize = std::nullopt) {
    Settings settings;
    settings.charactersPerColumn = n;
    settings.columnsPerPage = m;
    settings.fontSize = fontSize;
    return settings;
}

// --- Paper ---
TEST(ManuscriptGeometryTest, paperSizesAndOrientation) {
    struct Case {
        Paper paper;
        Orientation orientation;
        double width, height;  // millimetres
    };
    const std::vector<Case> cases = {
        {Paper::A4, Orientation::Landscape, 297, 210},
        {Paper::A4, Orientation::Portrait, 210, 297},
        {Paper::B5, Orientation::Portrait, 182, 257},
        {Paper::A5, Orientation::Landscape, 210, 148},
        {Paper::B4, Orientation::Portrait, 257, 364},
    };
    for (const Case& c : cases) {
        Settings settings;
        settings.paper = c.paper;
        settings.orientation = c.orientation;
        const ManuscriptGeometry geometry(settings);
        EXPECT_DOUBLE_EQ(geometry.pageWidth(), c.width * kPointsPerMillimetre);
        EXPECT_DOUBLE_EQ(geometry.pageHeight(), c.height * kPointsPerMillimetre);
        EXPECT_EQ(ManuscriptGeometry::paperNamed(ManuscriptGeometry::nameOf(c.paper)), c.paper);
    }
    EXPECT_FALSE(ManuscriptGeometry::paperNamed("Letter"));
    EXPECT_FALSE(ManuscriptGeometry::paperNamed("a4"));
}

// --- The grid on the page ---
TEST(ManuscriptGeometryTest, defaultGrid_fillsTheBlockAtTheRowPitch) {
    // A4 landscape within 20 mm margins: a block of 257 x 170 mm.
    const ManuscriptGeometry geometry(grid(40, 30));
    const double width = 257 * kPointsPerMillimetre;
    const double height = 170 * kPointsPerMillimetre;
    EXPECT_TRUE(geometry.fits());
    EXPECT_DOUBLE_EQ(geometry.blockLeft(), 20 * kPointsPerMillimetre);
    EXPECT_DOUBLE_EQ(geometry.blockWidth(), width);
    EXPECT_DOUBLE_EQ(geometry.rowPitch(), height / 40);
    EXPECT_DOUBLE_EQ(geometry.columnPitch(), width / 30);
    // The row pitch (12.05 pt) limits the size, not the column (24.3 pt / 1.5).
    EXPECT_DOUBLE_EQ(geometry.fontSize(), height / 40);
    EXPECT_DOUBLE_EQ(geometry.rubiSize(), height / 80);
    EXPECT_TRUE(geometry.fitMessage().empty());
    // Column 1 is rightmost; body and ruby (1.5 ems) are centred in the column together.
    const double centre = geometry.blockLeft() + width - geometry.columnPitch() / 2;
    EXPECT_DOUBLE_EQ(geometry.bodyRight(1), centre + geometry.fontSize() / 4);
    EXPECT_NEAR(geometry.bodyRight(1) - geometry.bodyRight(2), geometry.columnPitch(), 1e-9);
    EXPECT_DOUBLE_EQ(geometry.rowTop(41), geometry.blockTop() + height);
}

// The page number stands below the hanging row (row N + 1, where a full stop hangs below the
// last row) and within the paper, on every grid the page dialog offers and every paper. The
// larger the row pitch, the less of the bottom margin the hanging row leaves.
TEST(ManuscriptGeometryTest, pageNumber_staysClearOfTheHangingRowOnEveryPresetGrid) {
    const Paper papers[] = {Paper::A4, Paper::B5, Paper::A5, Paper::B4};
    const Orientation orientations[] = {Orientation::Landscape, Orientation::Portrait};
    int checked = 0;
    for (const Paper paper : papers) {
        for (const Orientation orientation : orientations) {
            Settings asManyAsFit = grid(1, 1, 10.5);
            asManyAsFit.paper = paper;
            asManyAsFit.orientation = orientation;
            const ManuscriptGeometry largest(asManyAsFit);
            const std::vector<Settings> grids = {
                grid(40, 30), grid(30, 40), grid(20, 20),
                grid(largest.largestCharactersPerColumn(), largest.largestColumnsPerPage(), 10.5)};
            for (Settings settings : grids) {
                settings.paper = paper;
                settings.orientation = orientation;
                const ManuscriptGeometry geometry(settings);
                if (!geometry.fits()) continue;
                SCOPED_TRACE(
                    std::string(ManuscriptGeometry::nameOf(paper)) +
                    (orientation == Orientation::Landscape ? " landscape " : " portrait ") +
                    std::to_string(settings.charactersPerColumn) + "x" +
                    std::to_string(settings.columnsPerPage));
                const int hangingRow = settings.charactersPerColumn + 1;
                EXPECT_GE(geometry.numberTop(), geometry.rowTop(hangingRow + 1));
                EXPECT_LE(geometry.numberTop() + geometry.marginTextSize(), geometry.pageHeight());
                ++checked;
            }
        }
    }
    // Every grid fits somewhere; 20 x 20 on each paper at least.
    EXPECT_GE(checked, 8);
}

TEST(ManuscriptGeometryTest, narrowColumns_limitTheSizeToLeaveRoomForRuby) {
    // 20 x 40 on A4 landscape: rows of 24.1 pt, columns of 18.2 pt, so 12.1 pt.
    const ManuscriptGeometry geometry(grid(20, 40));
    EXPECT_DOUBLE_EQ(geometry.fontSize(), geometry.columnPitch() / 1.5);
}

TEST(ManuscriptGeometryTest, fitOfGridsAndSizes) {
    struct Case {
        const char* what;
        Settings settings;
        Fit fit;
    };
    Settings noRoom = grid(40, 30);
    noRoom.margins.left = noRoom.margins.right = 150;
    const std::vector<Case> cases = {
        {"given size that fits", grid(40, 30, 10.5), Fit::Fits},
        {"the legible minimum", grid(40, 30, 7.0), Fit::Fits},
        {"below the legible minimum", grid(40, 30, 6.5), Fit::Illegible},
        {"larger than the row pitch", grid(40, 30, 12.5), Fit::FontTooLarge},
        {"too many rows to read", grid(100, 30), Fit::Illegible},
        {"68 rows at 7.09 pt", grid(68, 30), Fit::Fits},
        {"69 rows at 6.98 pt", grid(69, 30), Fit::Illegible},
        {"no characters per column", grid(0, 30), Fit::EmptyGrid},
        {"no columns", grid(40, -1), Fit::EmptyGrid},
        {"margins wider than the paper", noRoom, Fit::NoRoom},
    };
    for (const Case& c : cases) {
        const ManuscriptGeometry geometry(c.settings);
        EXPECT_EQ(geometry.fit(), c.fit) << c.what;
        EXPECT_EQ(geometry.fitMessage().empty(), c.fit == Fit::Fits) << c.what;
    }
}

TEST(ManuscriptGeometryTest, largestGrid_isWhatFitsAtTheSizeOrTheLegibleMinimum) {
    // A block of 481.9 x 728.5 pt: 7 pt gives 68 rows and 69 columns of 10.5 pt.
    const ManuscriptGeometry tooMany(grid(100, 30));
    EXPECT_EQ(tooMany.largestCharactersPerColumn(), 68);
    EXPECT_EQ(tooMany.largestColumnsPerPage(), 69);
    EXPECT_NE(tooMany.fitMessage().find("100x30"), std::string::npos);
    EXPECT_NE(tooMany.fitMessage().find("at most 68x69"), std::string::npos);
    // At 12 pt: 40 rows, 40 columns of 18 pt.
    const ManuscriptGeometry tooLarge(grid(60, 30, 12.0));
    EXPECT_EQ(tooLarge.fit(), Fit::FontTooLarge);
    EXPECT_EQ(tooLarge.largestCharactersPerColumn(), 40);
    EXPECT_EQ(tooLarge.largestColumnsPerPage(), 40);
    EXPECT_NE(tooLarge.fitMessage().find("at most 40x40"), std::string::npos);
    // What is offered must fit.
    EXPECT_TRUE(ManuscriptGeometry(grid(68, 69)).fits());
    EXPECT_TRUE(ManuscriptGeometry(grid(40, 40, 12.0)).fits());
    EXPECT_FALSE(ManuscriptGeometry(grid(40, 41, 12.0)).fits());
}

}  // namespace
}  // namespace tavelo
