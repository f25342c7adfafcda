#pragma once

#include <QImage>
#include <QString>

#include "common/ClassicTypes.h"
#include "prose/ProseDocument.h"
#include "view/ManuscriptGeometry.h"

class QPagedPaintDevice;

namespace tavelo {

// Prints a prose document as manuscript pages: the flowing pages of its FlowLayout on the
// N x M grid of ManuscriptGeometry (ProseManuscriptPainter), each drawn as text through
// VectorDrawingSurface, so a PDF holds embedded fonts and text in reading order, with the page
// number at the foot and, when asked, a title page (title and author) before the first page.
// A 20 x 20 grid gives as many pages as the document's 400-character sheets.
class ProseManuscriptPrinter {
public:
    struct Job {
        const prose::ProseDocument* document = nullptr;
        ManuscriptGeometry::Settings settings;
        bool pageNumbers = true;
        bool titlePage = false;  // unnumbered; left out when the document has no title or author
        QString title;           // the PDF's title
    };

    // Whether the job's title page is printed.
    [[nodiscard]] static bool hasTitlePage(const Job& job);
    // Draws every page of the job onto the device, whose page layout is already set. Returns
    // the number of pages drawn, the title page included (a document without text gives one
    // empty page), or -1 when there is no document, the grid does not fit or the device could
    // not be painted on.
    static int print(QPagedPaintDevice& device, const Job& job);
    // Writes the job as a PDF file, replacing the file only once it is complete; false when
    // print() fails or the file could not be written.
    [[nodiscard]] static bool writePdf(const QString& path, const Job& job);
    // "1,234字 (400字詰め 4枚)", as FlowLayout::length counts.
    [[nodiscard]] static String lengthOf(const prose::ProseDocument& document);
    // The first page (the title page when there is one) at `pixelsPerPoint`, as
    // ManuscriptPrinter::previewPage draws it.
    [[nodiscard]] static QImage preview(const Job& job, double pixelsPerPoint);
};

}  // namespace tavelo
