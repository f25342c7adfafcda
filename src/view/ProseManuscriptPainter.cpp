#include "view/ProseManuscriptPainter.h"

#include <algorithm>
#include <cmath>

#include "view/DrawingSurface.h"
#include "view/GdiTypes.h"
#include "view/ManuscriptPainter.h"
#include "view/ProsePagePainter.h"

namespace tavelo {
namespace {

constexpr LONG kDown = 2700;
// The title is set at most this many times the body size, the author at the body size.
constexpr double kTitleScale = 2.0;

int toUnits(double points, double unitsPerPoint) {
    return static_cast<int>(std::lround(points * unitsPerPoint));
}

}  // namespace

flow::FlowLayout ProseManuscriptPainter::layoutOf(const prose::ProseDocument& document,
                                                  const ManuscriptGeometry& geometry) {
    return flow::FlowLayout(document, geometry.settings().charactersPerColumn,
                            geometry.settings().columnsPerPage);
}

flow::FlowMetrics ProseManuscriptPainter::metricsOf(const ManuscriptGeometry& geometry,
                                                    double unitsPerPoint) {
    flow::FlowMetrics m = flow::FlowMetrics::grid(geometry.settings().charactersPerColumn,
                                                  geometry.settings().columnsPerPage);
    m.viewWidth = static_cast<int>(std::ceil(geometry.pageWidth() * unitsPerPoint));
    m.viewHeight = static_cast<int>(std::ceil(geometry.pageHeight() * unitsPerPoint));
    m.fontSize = std::max(1, toUnits(geometry.fontSize(), unitsPerPoint));
    m.rubySize = std::max(1, toUnits(geometry.rubiSize(), unitsPerPoint));
    m.columnPitch = std::max(1, toUnits(geometry.columnPitch(), unitsPerPoint));
    m.rowPitch = std::max(1, toUnits(geometry.rowPitch(), unitsPerPoint));
    // The body's right edge in the first column where the manuscript puts it: bodyX(0) +
    // fontSize = viewWidth − marginX − rubySize.
    m.marginX = m.viewWidth - m.rubySize - toUnits(geometry.bodyRight(1), unitsPerPoint);
    // Each character centred on its row, as the manuscript centres it.
    m.marginTop = toUnits(geometry.rowTop(1) + (geometry.rowPitch() - geometry.fontSize()) / 2,
                          unitsPerPoint);
    m.marginBottom =
        m.viewHeight - toUnits(geometry.rowTop(m.charactersPerColumn + 1), unitsPerPoint);
    return m;
}

void ProseManuscriptPainter::paintPage(const prose::ProseDocument& document,
                                       flow::FlowLayout& layout, int page,
                                       const ManuscriptGeometry& geometry, const Options& options) {
    if (!geometry.fits() || page < 0 || page >= layout.pageCount()) return;
    ProsePagePainter(surface_).paint(document, metricsOf(geometry, options.unitsPerPoint),
                                     layout.page(page), ProsePaintState{});
    ManuscriptPainter::Options margins;
    margins.unitsPerPoint = options.unitsPerPoint;
    margins.pageNumbers = options.pageNumbers;
    ManuscriptPainter::paintMargins(surface_, page + 1, geometry, margins);
}

void ProseManuscriptPainter::paintTitlePage(const prose::ProseDocument& document,
                                            const ManuscriptGeometry& geometry,
                                            const Options& options) {
    if (!geometry.fits() || (document.title.empty() && document.author.empty())) return;
    const double units = options.unitsPerPoint;
    // Both set in the middle four fifths of the block's height, the title from its top, the
    // author ending at its foot.
    const double top = geometry.blockTop() + geometry.blockHeight() / 10;
    const double height = geometry.blockHeight() * 0.8;
    const double middle = geometry.blockLeft() + geometry.blockWidth() / 2;
    // The title as large as lets it fit two columns, at most twice the body.
    const double titleChars = std::max<double>(1, static_cast<double>(document.title.size()));
    const double titleSize = std::max(
        geometry.fontSize(), std::min(geometry.fontSize() * kTitleScale, 2 * height / titleChars));
    const double left =
        drawColumns(document.title, titleSize, middle + titleSize, top, height, units);
    const double size = geometry.fontSize();
    const double authorLength =
        std::min(height, size * static_cast<double>(document.author.size()));
    drawColumns(document.author, size, std::min(middle, left) - size / 2,
                top + height - authorLength, height, units);
}

double ProseManuscriptPainter::drawColumns(std::u32string_view text, double size, double right,
                                           double top, double height, double unitsPerPoint) {
    if (text.empty()) return right + size;
    const auto perColumn = static_cast<std::size_t>(std::max(1.0, std::floor(height / size)));
    const LOGFONTA record =
        textFontRecord(-std::max(1, toUnits(size, unitsPerPoint)), kDown, u"@ＭＳ 明朝");
    const HDC dc = surface_.hDC();
    const HFONT font = surface_.CreateFontIndirectA(record);
    if (!font) return right;
    const HGDIOBJ previous = surface_.SelectObject(dc, font);
    if (previous) {
        surface_.SetTextColor(dc, RGB(0, 0, 0));
        // One character a call, each on its own em down the column.
        for (std::size_t i = 0; i < text.size(); ++i) {
            const std::size_t row = i % perColumn;
            if (i > 0 && row == 0) right -= size * ManuscriptGeometry::kColumnEms;
            static_cast<void>(surface_.TextOutW(
                dc, toUnits(right, unitsPerPoint),
                toUnits(top + static_cast<double>(row) * size, unitsPerPoint), text.substr(i, 1)));
        }
        surface_.SelectObject(dc, previous);
    }
    surface_.DeleteObject(font);
    return right - size;
}

}  // namespace tavelo
