#pragma once

#include <QImage>
#include <QPageLayout>
#include <QSize>
#include <QString>
#include <QTransform>
#include <functional>

#include "common/ClassicTypes.h"
#include "view/ManuscriptGeometry.h"

class QPagedPaintDevice;

namespace tavelo {

class CEisuuCyotai;
class CViewData;
class DrawingSurface;

// Prints the current document as manuscript pages (ManuscriptLayout on the N x M grid of
// ManuscriptGeometry) onto a PDF writer, a printer or a preview image: every page drawn by
// ManuscriptPainter as text through VectorDrawingSurface, so a PDF holds the embedded fonts
// and text that can be selected in reading order, with the page number at the foot and,
// when asked, the title at the head.
class ManuscriptPrinter {
public:
    struct Job {
        const CViewData* view = nullptr;
        ManuscriptGeometry::Settings settings;
        bool pageNumbers = true;
        String title;  // drawn at the head of every page when not empty
    };

    // The painter's units to a point: fine enough that rounding a glyph's position to a unit
    // moves it by no more than a twentieth of a point.
    static constexpr double kUnitsPerPoint = 20.0;

    // The page layout of the paper: its size and orientation, no margins (the geometry has
    // its own).
    [[nodiscard]] static QPageLayout pageLayout(const ManuscriptGeometry& geometry);

    // What the manuscripts of both kinds share: the painter's surface for a sheet, in units
    // from the paper's top-left corner; the transform that puts it on the device, whose
    // origin is the corner of its paintable area; and a preview page, white with the text
    // block framed in grey, on which `paint` draws (a null image when the grid does not fit).
    [[nodiscard]] static QSize surfaceSize(const ManuscriptGeometry& geometry);
    [[nodiscard]] static QTransform placementOn(const QPagedPaintDevice& device,
                                                const ManuscriptGeometry& geometry);
    [[nodiscard]] static QImage previewPage(const ManuscriptGeometry& geometry,
                                            double pixelsPerPoint,
                                            const std::function<void(DrawingSurface&)>& paint);
    // "1,234字 (400字詰め 4枚)" of a count and a sheet count.
    [[nodiscard]] static String lengthText(long characters, int sheets);

    // Draws every page of the job onto the device, whose page layout is already set. Returns
    // the number of pages drawn (a document without text gives one empty page), or -1 when
    // there is no document, the grid does not fit or the device could not be painted on.
    static int print(QPagedPaintDevice& device, const Job& job, const CEisuuCyotai& fonts);
    // Writes the job as a PDF file, replacing the file only once it is complete; false when
    // print() fails or the file could not be written.
    [[nodiscard]] static bool writePdf(const QString& path, const Job& job,
                                       const CEisuuCyotai& fonts);
    // The document's length as the status bar and the page dialog show it:
    // "1,234字 (400字詰め 4枚)", blanks and indents counted, ruby not.
    [[nodiscard]] static String lengthOf(const CViewData& view);

    // The first page at `pixelsPerPoint`, white, with the text block framed in grey; a null
    // image when the grid does not fit.
    [[nodiscard]] static QImage preview(const Job& job, const CEisuuCyotai& fonts,
                                        double pixelsPerPoint);
};

}  // namespace tavelo
