#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tavelo {

// Where a manuscript page puts its grid: the paper, the text block inside the margins, the
// pitches of the N x M grid and the type size, and whether that grid can be set legibly.
//
// Given: paper (A4, B5, A5, B4; B is the Japanese series), orientation, characters per column N,
// columns per page M, margins in millimetres and optionally the body size in points.
// Calculated, in points from the top-left corner of the paper: the text block, which the grid
// fills (row pitch = block height / N, column pitch = block width / M); the body size, when
// not given the largest that fits a cell and leaves room for ruby at half size beside it
// (size <= row pitch, 1.5 x size <= column pitch); the ruby size (half the body); where the
// page number and the title stand; and the fit. A grid fits when it has cells, the margins
// leave room and the size is at least kLegibleFontSize and fits its cells. The largest grid
// is the most characters per column and columns per page that fit at the given size, or at
// the legible minimum when none is given: height and width limit each on its own.
class ManuscriptGeometry {
public:
    enum class Paper { A4, B5, A5, B4 };
    enum class Orientation { Landscape, Portrait };
    struct Margins {  // millimetres
        double top = 20;
        double bottom = 20;
        double left = 20;
        double right = 20;
    };
    struct Settings {
        Paper paper = Paper::A4;
        Orientation orientation = Orientation::Landscape;
        int charactersPerColumn = 40;
        int columnsPerPage = 30;
        Margins margins;
        std::optional<double> fontSize;  // points
    };
    enum class Fit { Fits, EmptyGrid, NoRoom, Illegible, FontTooLarge };

    static constexpr double kLegibleFontSize = 7.0;
    // A column is at least this many body ems wide: the body and its ruby at half size.
    static constexpr double kColumnEms = 1.5;
    // The page number and the title are set at most this size.
    static constexpr double kMarginTextSize = 10.5;

    explicit ManuscriptGeometry(const Settings& settings);

    // "A4", "B5", "A5", "B4", as the command line spells them; nullopt for anything else.
    [[nodiscard]] static std::optional<Paper> paperNamed(std::string_view name);
    [[nodiscard]] static std::string_view nameOf(Paper paper);
    // The paper's short and long side in millimetres.
    [[nodiscard]] static double shortSideMillimetres(Paper paper);
    [[nodiscard]] static double longSideMillimetres(Paper paper);
    [[nodiscard]] static double pointsOf(double millimetres) { return millimetres * 72.0 / 25.4; }

    [[nodiscard]] const Settings& settings() const { return settings_; }
    [[nodiscard]] double pageWidth() const { return pageWidth_; }
    [[nodiscard]] double pageHeight() const { return pageHeight_; }
    [[nodiscard]] double blockLeft() const { return blockLeft_; }
    [[nodiscard]] double blockTop() const { return blockTop_; }
    [[nodiscard]] double blockWidth() const { return blockWidth_; }
    [[nodiscard]] double blockHeight() const { return blockHeight_; }
    [[nodiscard]] double rowPitch() const { return rowPitch_; }
    [[nodiscard]] double columnPitch() const { return columnPitch_; }
    [[nodiscard]] double fontSize() const { return fontSize_; }
    [[nodiscard]] double rubiSize() const { return fontSize_ / 2; }
    [[nodiscard]] double marginTextSize() const;

    [[nodiscard]] Fit fit() const { return fit_; }
    [[nodiscard]] bool fits() const { return fit_ == Fit::Fits; }
    [[nodiscard]] int largestCharactersPerColumn() const;
    [[nodiscard]] int largestColumnsPerPage() const;
    // Why the grid cannot be set and what fits instead, for the command line and the dialog;
    // empty when it fits.
    [[nodiscard]] std::string fitMessage() const;

    // The right edge of the body's em square in column c (1 = rightmost): body and ruby are
    // centred in the column as one, the ruby right of the body.
    [[nodiscard]] double bodyRight(int column) const;
    // The top of row r (1-based; row N + 1 lies below the block, for a hanging mark).
    [[nodiscard]] double rowTop(int row) const;
    // The top of the page number's line, in the bottom margin below the room of a hanging mark,
    // and of the title's line, in the top margin.
    [[nodiscard]] double numberTop() const;
    [[nodiscard]] double titleTop() const;

private:
    [[nodiscard]] double sizeForLargestGrid() const;

    Settings settings_;
    double pageWidth_ = 0;
    double pageHeight_ = 0;
    double blockLeft_ = 0;
    double blockTop_ = 0;
    double blockWidth_ = 0;
    double blockHeight_ = 0;
    double rowPitch_ = 0;
    double columnPitch_ = 0;
    double fontSize_ = 0;
    Fit fit_ = Fit::Fits;
};

}  // namespace tavelo
