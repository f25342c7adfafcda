#pragma once

#include <QPageLayout>
#include <QSize>
#include <QString>

#include "common/ClassicTypes.h"
#include "layout/DefaultViewSize.h"
#include "view/DocumentPages.h"
#include "view/DocumentPainter.h"

class QPagedPaintDevice;

namespace tavelo {

class CEisuuCyotai;
class CViewData;

// Prints the current document as pages of whole columns (DocumentPages) onto a PDF writer or
// a printer: each page is the view's picture at that page's offset, drawn by the view's own
// passes as text (VectorDrawingSurface), scaled to fit the page with its proportions kept and
// centred, with a small page number in the bottom margin.
class DocumentPrinter {
public:
    enum class Paper { A4Landscape, A4Portrait, B5, A5 };

    // What is printed: the document, its style (0 small, 1 large), the view it was laid out
    // for, and the search hits when they are shown.
    struct Job {
        const CViewData* view = nullptr;
        Integer style = 0;
        QSize viewSize{kDefaultViewWidth, kDefaultViewHeight};
        bool isSearch = false;
        COLORREF hitColor = RGB(0, 0, 255);
    };

    // The page layout of a paper: B5 is the Japanese B5; every paper has 10 mm margins.
    [[nodiscard]] static QPageLayout pageLayout(Paper paper);
    // The caption the page-size dialog shows for a paper.
    [[nodiscard]] static String caption(Paper paper);

    // What the passes are given for one page: its offset and its lines only, so that the
    // next page's first column is not drawn cut at the left edge.
    [[nodiscard]] static PaintState pageState(const Job& job, const DocumentPages::Page& page);

    // Draws every page of the job onto the device, whose page layout is already set. Returns
    // the number of pages drawn, or -1 when the device could not be painted on.
    static int print(QPagedPaintDevice& device, const Job& job, const CEisuuCyotai& fonts);
    // Writes the job as a PDF file, replacing the file only once it is complete; false when
    // there is no document or the file could not be written.
    [[nodiscard]] static bool writePdf(const QString& path, Paper paper, const Job& job,
                                       const CEisuuCyotai& fonts);
};

}  // namespace tavelo
