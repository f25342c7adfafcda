#include "shell/print/ManuscriptPrinter.h"

#include <QLocale>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <cmath>

#include "shell/gdi/VectorDrawingSurface.h"
#include "shell/print/PdfFile.h"
#include "store/CViewData.h"
#include "view/ManuscriptLayout.h"
#include "view/ManuscriptPainter.h"

namespace tavelo {
namespace {

QPageSize::PageSizeId pageSizeOf(ManuscriptGeometry::Paper paper) {
    switch (paper) {
        case ManuscriptGeometry::Paper::B5:
            return QPageSize::JisB5;
        case ManuscriptGeometry::Paper::A5:
            return QPageSize::A5;
        case ManuscriptGeometry::Paper::B4:
            return QPageSize::JisB4;
        case ManuscriptGeometry::Paper::A4:
            break;
    }
    return QPageSize::A4;
}

ManuscriptPainter::Options optionsOf(const ManuscriptPrinter::Job& job) {
    ManuscriptPainter::Options options;
    options.unitsPerPoint = ManuscriptPrinter::kUnitsPerPoint;
    options.pageNumbers = job.pageNumbers;
    options.title = job.title;
    return options;
}

}  // namespace

QPageLayout ManuscriptPrinter::pageLayout(const ManuscriptGeometry& geometry) {
    return QPageLayout(QPageSize(pageSizeOf(geometry.settings().paper)),
                       geometry.settings().orientation == ManuscriptGeometry::Orientation::Landscape
                           ? QPageLayout::Landscape
                           : QPageLayout::Portrait,
                       QMarginsF(), QPageLayout::Point);
}

QSize ManuscriptPrinter::surfaceSize(const ManuscriptGeometry& geometry) {
    return {static_cast<int>(std::ceil(geometry.pageWidth() * kUnitsPerPoint)),
            static_cast<int>(std::ceil(geometry.pageHeight() * kUnitsPerPoint))};
}

QTransform ManuscriptPrinter::placementOn(const QPagedPaintDevice& device,
                                          const ManuscriptGeometry& geometry) {
    // A printer that cannot print to the edge keeps a margin of its own, which the placement
    // steps back over.
    const QPageLayout pageLayout = device.pageLayout();
    const QRectF full = pageLayout.fullRectPixels(device.logicalDpiX());
    const QRectF paintable = pageLayout.paintRectPixels(device.logicalDpiX());
    const double scale = full.width() / (geometry.pageWidth() * kUnitsPerPoint);
    return QTransform::fromTranslate(full.left() - paintable.left(), full.top() - paintable.top())
        .scale(scale, scale);
}

int ManuscriptPrinter::print(QPagedPaintDevice& device, const Job& job, const CEisuuCyotai& fonts) {
    const ManuscriptGeometry geometry(job.settings);
    if (job.view == nullptr || !geometry.fits()) return -1;
    const ManuscriptLayout layout = ManuscriptLayout::of(
        *job.view, {job.settings.charactersPerColumn, job.settings.columnsPerPage});
    QPainter painter;
    if (!painter.begin(&device)) return -1;

    const QTransform placement = placementOn(device, geometry);

    VectorDrawingSurface surface(painter, surfaceSize(geometry));
    ManuscriptPainter pages(surface, fonts);
    const ManuscriptPainter::Options options = optionsOf(job);
    const int count = std::max(1, layout.pageCount());
    for (int page = 1; page <= count; ++page) {
        if (page > 1 && !device.newPage()) return -1;
        painter.setTransform(placement);
        pages.paintPage(layout, page, geometry, options);
    }
    return painter.end() ? count : -1;
}

bool ManuscriptPrinter::writePdf(const QString& path, const Job& job, const CEisuuCyotai& fonts) {
    if (job.view == nullptr || !ManuscriptGeometry(job.settings).fits()) return false;
    return PdfFile::write(path, QString::fromStdU16String(job.view->FileName()),
                          pageLayout(ManuscriptGeometry(job.settings)),
                          [&](QPagedPaintDevice& device) { return print(device, job, fonts); });
}

String ManuscriptPrinter::lengthText(long characters, int sheets) {
    const QLocale grouped(QLocale::English);
    return (grouped.toString(static_cast<qlonglong>(characters)) +
            QStringLiteral("字 (400字詰め ") + grouped.toString(sheets) + QStringLiteral("枚)"))
        .toStdU16String();
}

String ManuscriptPrinter::lengthOf(const CViewData& view) {
    const std::vector<ManuscriptLayout::Line> lines = ManuscriptLayout::linesOf(view);
    return lengthText(ManuscriptLayout::characterCount(lines), ManuscriptLayout::sheetCount(lines));
}

QImage ManuscriptPrinter::previewPage(const ManuscriptGeometry& geometry, double pixelsPerPoint,
                                      const std::function<void(DrawingSurface&)>& paint) {
    if (!geometry.fits()) return {};
    QImage image(static_cast<int>(std::ceil(geometry.pageWidth() * pixelsPerPoint)),
                 static_cast<int>(std::ceil(geometry.pageHeight() * pixelsPerPoint)),
                 QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(pixelsPerPoint, pixelsPerPoint);
    painter.setPen(QPen(QColor(200, 200, 200), 0));
    painter.drawRect(QRectF(geometry.blockLeft(), geometry.blockTop(), geometry.blockWidth(),
                            geometry.blockHeight()));
    painter.scale(1 / kUnitsPerPoint, 1 / kUnitsPerPoint);
    VectorDrawingSurface surface(painter, surfaceSize(geometry));
    paint(surface);
    return image;
}

QImage ManuscriptPrinter::preview(const Job& job, const CEisuuCyotai& fonts,
                                  double pixelsPerPoint) {
    const ManuscriptGeometry geometry(job.settings);
    if (job.view == nullptr || !geometry.fits()) return {};
    const ManuscriptLayout layout = ManuscriptLayout::of(
        *job.view, {job.settings.charactersPerColumn, job.settings.columnsPerPage});
    return previewPage(geometry, pixelsPerPoint, [&](DrawingSurface& surface) {
        ManuscriptPainter(surface, fonts).paintPage(layout, 1, geometry, optionsOf(job));
    });
}

}  // namespace tavelo
