#include "view/ManuscriptGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace tavelo {
namespace {

// Divisions that come out whole on paper must not lose a cell to rounding.
constexpr double kSlack = 1e-9;

std::string number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

}  // namespace

ManuscriptGeometry::ManuscriptGeometry(const Settings& settings) : settings_(settings) {
    const double shortSide = pointsOf(shortSideMillimetres(settings.paper));
    const double longSide = pointsOf(longSideMillimetres(settings.paper));
    const bool landscape = settings.orientation == Orientation::Landscape;
    pageWidth_ = landscape ? longSide : shortSide;
    pageHeight_ = landscape ? shortSide : longSide;
    const Margins& margins = settings.margins;
    blockLeft_ = pointsOf(margins.left);
    blockTop_ = pointsOf(margins.top);
    blockWidth_ = pageWidth_ - pointsOf(margins.left) - pointsOf(margins.right);
    blockHeight_ = pageHeight_ - pointsOf(margins.top) - pointsOf(margins.bottom);

    const int n = settings.charactersPerColumn;
    const int m = settings.columnsPerPage;
    if (n < 1 || m < 1) {
        fit_ = Fit::EmptyGrid;
        return;
    }
    if (!(blockWidth_ > 0) || !(blockHeight_ > 0)) {
        fit_ = Fit::NoRoom;
        return;
    }
    rowPitch_ = blockHeight_ / n;
    columnPitch_ = blockWidth_ / m;
    const double largest = std::min(rowPitch_, columnPitch_ / kColumnEms);
    fontSize_ = settings.fontSize.value_or(largest);
    if (!(fontSize_ >= kLegibleFontSize))
        fit_ = Fit::Illegible;
    else if (fontSize_ > largest * (1 + kSlack))
        fit_ = Fit::FontTooLarge;
}

std::optional<ManuscriptGeometry::Paper> ManuscriptGeometry::paperNamed(std::string_view name) {
    for (Paper paper : {Paper::A4, Paper::B5, Paper::A5, Paper::B4})
        if (nameOf(paper) == name) return paper;
    return std::nullopt;
}

std::string_view ManuscriptGeometry::nameOf(Paper paper) {
    switch (paper) {
        case Paper::B5:
            return "B5";
        case Paper::A5:
            return "A5";
        case Paper::B4:
            return "B4";
        case Paper::A4:
            break;
    }
    return "A4";
}

double ManuscriptGeometry::shortSideMillimetres(Paper paper) {
    switch (paper) {
        case Paper::B5:
            return 182;
        case Paper::A5:
            return 148;
        case Paper::B4:
            return 257;
        case Paper::A4:
            break;
    }
    return 210;
}

double ManuscriptGeometry::longSideMillimetres(Paper paper) {
    switch (paper) {
        case Paper::B5:
            return 257;
        case Paper::A5:
            return 210;
        case Paper::B4:
            return 364;
        case Paper::A4:
            break;
    }
    return 297;
}

double ManuscriptGeometry::marginTextSize() const {
    return fontSize_ > 0 ? std::min(kMarginTextSize, fontSize_) : kMarginTextSize;
}

double ManuscriptGeometry::sizeForLargestGrid() const {
    const std::optional<double>& given = settings_.fontSize;
    return given && *given >= kLegibleFontSize ? *given : kLegibleFontSize;
}

int ManuscriptGeometry::largestCharactersPerColumn() const {
    if (!(blockHeight_ > 0)) return 0;
    return static_cast<int>(std::floor(blockHeight_ / sizeForLargestGrid() + kSlack));
}

int ManuscriptGeometry::largestColumnsPerPage() const {
    if (!(blockWidth_ > 0)) return 0;
    return static_cast<int>(std::floor(blockWidth_ / (sizeForLargestGrid() * kColumnEms) + kSlack));
}

std::string ManuscriptGeometry::fitMessage() const {
    const std::string paper =
        std::string(nameOf(settings_.paper)) +
        (settings_.orientation == Orientation::Landscape ? " landscape" : " portrait");
    const std::string grid = std::to_string(settings_.charactersPerColumn) + "x" +
                             std::to_string(settings_.columnsPerPage);
    const int n = largestCharactersPerColumn();
    const int m = largestColumnsPerPage();
    const std::string size = number(sizeForLargestGrid()) + " pt";
    const std::string fitting =
        n < 1 || m < 1 ? "nothing fits within these margins at " + size
                       : "at most " + std::to_string(n) + "x" + std::to_string(m) +
                             " (characters per column x columns per page) fits at " + size;
    switch (fit_) {
        case Fit::Fits:
            return {};
        case Fit::EmptyGrid:
            return "the grid " + grid +
                   " has no cells: it needs at least 1 character per column and 1 column per "
                   "page; on " +
                   paper + " " + fitting;
        case Fit::NoRoom:
            return "the margins leave no room for text on " + paper;
        case Fit::Illegible:
            if (settings_.fontSize)
                return number(*settings_.fontSize) + " pt is below the legible " +
                       number(kLegibleFontSize) + " pt; on " + paper + " " + fitting;
            return "a " + grid + " grid does not fit " + paper + " at a legible size (" +
                   number(kLegibleFontSize) + " pt or more); " + fitting;
        case Fit::FontTooLarge:
            return "a " + grid + " grid does not fit " + paper + " at " + size + "; " + fitting;
    }
    return {};
}

double ManuscriptGeometry::bodyRight(int column) const {
    const double centre = blockLeft_ + blockWidth_ - (column - 0.5) * columnPitch_;
    return centre + (fontSize_ - rubiSize()) / 2;
}

double ManuscriptGeometry::rowTop(int row) const {
    return blockTop_ + (row - 1) * rowPitch_;
}

double ManuscriptGeometry::numberTop() const {
    const double hangBottom = blockTop_ + blockHeight_ + rowPitch_;
    const double room = pageHeight_ - hangBottom;
    return hangBottom + std::max(0.0, (room - marginTextSize()) / 2);
}

double ManuscriptGeometry::titleTop() const {
    return std::max(0.0, (blockTop_ - marginTextSize()) / 2);
}

}  // namespace tavelo
