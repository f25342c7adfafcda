#include "shell/print/ProseManuscriptPrinter.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>

#include "flow/FlowLayout.h"
#include "shell/gdi/VectorDrawingSurface.h"
#include "shell/print/ManuscriptPrinter.h"
#include "shell/print/PdfFile.h"
#include "view/ProseManuscriptPainter.h"

namespace tavelo {
namespace {

ProseManuscriptPainter::Options optionsOf(const ProseManuscriptPrinter::Job& job) {
    ProseManuscriptPainter::Options options;
    options.unitsPerPoint = ManuscriptPrinter::kUnitsPerPoint;
    options.pageNumbers = job.pageNumbers;
    return options;
}

}  // namespace

bool ProseManuscriptPrinter::hasTitlePage(const Job& job) {
    return job.titlePage && job.document != nullptr &&
           !(job.document->title.empty() && job.document->author.empty());
}

int ProseManuscriptPrinter::print(QPagedPaintDevice& device, const Job& job) {
    const ManuscriptGeometry geometry(job.settings);
    if (job.document == nullptr || !geometry.fits()) return -1;
    flow::FlowLayout layout = ProseManuscriptPainter::layoutOf(*job.document, geometry);
    QPainter painter;
    if (!painter.begin(&device)) return -1;
    const QTransform placement = ManuscriptPrinter::placementOn(device, geometry);
    VectorDrawingSurface surface(painter, ManuscriptPrinter::surfaceSize(geometry));
    ProseManuscriptPainter pages(surface);
    const ProseManuscriptPainter::Options options = optionsOf(job);

    const bool titlePage = hasTitlePage(job);
    if (titlePage) {
        painter.setTransform(placement);
        pages.paintTitlePage(*job.document, geometry, options);
    }
    const int count = std::max(1, layout.pageCount());
    for (int page = 0; page < count; ++page) {
        if ((page > 0 || titlePage) && !device.newPage()) return -1;
        painter.setTransform(placement);
        pages.paintPage(*job.document, layout, page, geometry, options);
    }
    return painter.end() ? count + (titlePage ? 1 : 0) : -1;
}

bool ProseManuscriptPrinter::writePdf(const QString& path, const Job& job) {
    const ManuscriptGeometry geometry(job.settings);
    if (job.document == nullptr || !geometry.fits()) return false;
    return PdfFile::write(path, job.title, ManuscriptPrinter::pageLayout(geometry),
                          [&](QPagedPaintDevice& device) { return print(device, job); });
}

String ProseManuscriptPrinter::lengthOf(const prose::ProseDocument& document) {
    const flow::FlowLayout::Length length = flow::FlowLayout::length(document);
    return ManuscriptPrinter::lengthText(length.characters, length.sheets400);
}

QImage ProseManuscriptPrinter::preview(const Job& job, double pixelsPerPoint) {
    const ManuscriptGeometry geometry(job.settings);
    if (job.document == nullptr || !geometry.fits()) return {};
    return ManuscriptPrinter::previewPage(geometry, pixelsPerPoint, [&](DrawingSurface& surface) {
        ProseManuscriptPainter pages(surface);
        if (hasTitlePage(job)) {
            pages.paintTitlePage(*job.document, geometry, optionsOf(job));
            return;
        }
        flow::FlowLayout layout = ProseManuscriptPainter::layoutOf(*job.document, geometry);
        pages.paintPage(*job.document, layout, 0, geometry, optionsOf(job));
    });
}

}  // namespace tavelo
