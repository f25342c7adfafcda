#pragma once

#include <string_view>

#include "flow/FlowLayout.h"
#include "view/ManuscriptGeometry.h"

namespace tavelo {

class DrawingSurface;

// Draws a prose document as manuscript pages: the flowing pages of a FlowLayout on the N x M
// grid of a ManuscriptGeometry, so the sheets and the screen share every break and place.
//
// Given: the geometry (paper, grid, type size) and the surface's units to a point. Calculated:
// the FlowMetrics of the sheet (metricsOf), in which ProsePagePainter sets a page of the
// layout: each body character centred on its cell of the grid (rows rowPitch apart, columns
// columnPitch apart from the right edge of the text block, the ruby band right of the body
// as in ManuscriptPainter), then the page number at the foot as every manuscript page has it.
// The title page, when asked for, sets the title in a large vertical column right of the
// middle and the author in a body-size column left of it, and carries no number.
class ProseManuscriptPainter {
public:
    struct Options {
        double unitsPerPoint = 96.0 / 72.0;
        bool pageNumbers = true;
    };

    explicit ProseManuscriptPainter(DrawingSurface& surface) : surface_(surface) {}

    // The layout of the sheets: a fixed grid of the geometry's N x M.
    [[nodiscard]] static flow::FlowLayout layoutOf(const prose::ProseDocument& document,
                                                   const ManuscriptGeometry& geometry);
    // The sheet as the page painter sees it, in surface units from the paper's top-left corner.
    [[nodiscard]] static flow::FlowMetrics metricsOf(const ManuscriptGeometry& geometry,
                                                     double unitsPerPoint);

    // Draws page `page` (0-based) of the layout, numbered page + 1; nothing for a page the
    // layout does not have or a geometry that does not fit. The caller clears the surface.
    void paintPage(const prose::ProseDocument& document, flow::FlowLayout& layout, int page,
                   const ManuscriptGeometry& geometry, const Options& options);
    // Draws the title page; nothing when the document has neither title nor author.
    void paintTitlePage(const prose::ProseDocument& document, const ManuscriptGeometry& geometry,
                        const Options& options);

private:
    // Sets `text` down columns of `size` points from (right, top), each at most `height` points
    // long, the next column left of the last; returns the left edge of the last column.
    double drawColumns(std::u32string_view text, double size, double right, double top,
                       double height, double unitsPerPoint);

    DrawingSurface& surface_;
};

}  // namespace tavelo
