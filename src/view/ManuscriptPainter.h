#pragma once

#include <array>
#include <unordered_map>

#include "common/ClassicTypes.h"
#include "view/BodyFonts.h"
#include "view/GdiTypes.h"
#include "view/ManuscriptGeometry.h"
#include "view/ManuscriptLayout.h"

namespace tavelo {

class CEisuuCyotai;
class DrawingSurface;

// Draws one page of a manuscript layout through the GDI calls of a drawing surface: every
// body character upright in its vertical typeface (the cell's typeface entry resolved as the
// view resolves it, vertical forms from the "@" face), centred on its cell, ruby at half size
// in vertical Mincho beside the upper or lower half of its base (a bracketed kanji a quarter
// larger, as in the view), blanks left out; then the page number centred at the foot and the
// title, when there is one, centred at the head, both across the page in Mincho.
//
// The surface's units are `unitsPerPoint` to a point of the paper, from its top-left corner:
// a page is geometry.pageWidth() x pageHeight() points. Positions are rounded to whole units,
// so a printer is best given several units per point and a transform that scales them down.
class ManuscriptPainter {
public:
    struct Options {
        double unitsPerPoint = 96.0 / 72.0;
        bool pageNumbers = true;
        String title;  // drawn on every page when not empty
    };
    struct Point {
        int x = 0;
        int y = 0;
    };

    static constexpr int kTries = 3;

    ManuscriptPainter(DrawingSurface& surface, const CEisuuCyotai& fonts);

    // Draws page `page` (1-based); the caller clears the surface first. Nothing is drawn for
    // a page the layout does not have, nor for a geometry that does not fit.
    void paintPage(const ManuscriptLayout& layout, int page, const ManuscriptGeometry& geometry,
                   const Options& options);

    // Draws the page number at the foot and the title, when there is one, at the head of page
    // `page` (1-based), across the page in Mincho: the margins of every manuscript page, a
    // prose document's (ProseManuscriptPainter) included.
    static void paintMargins(DrawingSurface& surface, int page, const ManuscriptGeometry& geometry,
                             const Options& options);

    // Where TextOutA is called for a body character and a ruby character: the top-right corner
    // of its em square, in surface units.
    [[nodiscard]] static Point bodyPoint(const ManuscriptGeometry& geometry,
                                         const ManuscriptLayout::Cell& cell, double unitsPerPoint);
    [[nodiscard]] static Point rubiPoint(const ManuscriptGeometry& geometry,
                                         const ManuscriptLayout::RubiCell& cell, bool kanji,
                                         double unitsPerPoint);
    // The em height of a size in points, as lfHeight takes it.
    [[nodiscard]] static LONG heightOf(double points, double unitsPerPoint);

private:
    [[nodiscard]] const LOGFONTA& bodyFont(const String& shortName, LONG height);
    static void drawText(DrawingSurface& surface, const LOGFONTA& font, const char* bytes,
                         int length, Point at);
    static void drawAcross(DrawingSurface& surface, const String& text, double top,
                           const ManuscriptGeometry& geometry, const Options& options);

    DrawingSurface& surface_;
    const CEisuuCyotai& fonts_;
    // Face names resolved once per short name, for the height in force.
    BodyFonts bodyFonts_;
};

}  // namespace tavelo
