#include "shell/print/ProsePrinter.h"

#include <QPagedPaintDevice>
#include <QPainter>

#include "shell/gdi/VectorDrawingSurface.h"
#include "shell/print/DocumentPrinter.h"
#include "shell/print/PdfFile.h"

namespace tavelo {

int ProsePrinter::print(QPagedPaintDevice& device, const Job& job) {
    if (job.document == nullptr) return -1;
    flow::FlowLayout layout(*job.document, job.settings);
    const int count = layout.pageCount();
    QPainter painter;
    if (!painter.begin(&device)) return -1;
    const QSize viewSize(job.settings.viewWidth, job.settings.viewHeight);
    const DocumentPrinter::Placement placement = DocumentPrinter::placementOn(device, viewSize);
    VectorDrawingSurface surface(painter, viewSize);
    ProsePagePainter pagePainter(surface);
    for (int i = 0; i < count; ++i) {
        if (i > 0 && !device.newPage()) return -1;
        painter.setTransform(placement.view);
        pagePainter.paint(*job.document, layout.metrics(), layout.page(i), job.state);
        DocumentPrinter::drawPageNumber(painter, placement, i + 1);
    }
    return painter.end() ? count : -1;
}

bool ProsePrinter::writePdf(const QString& path, const Job& job) {
    if (job.document == nullptr) return false;
    return PdfFile::write(path, job.title,
                          DocumentPrinter::pageLayout(DocumentPrinter::Paper::A4Landscape),
                          [&](QPagedPaintDevice& device) { return print(device, job); });
}

}  // namespace tavelo
