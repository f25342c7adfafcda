#include "shell/print/DocumentPrinter.h"

#include <QFont>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>

#include "shell/gdi/VectorDrawingSurface.h"
#include "shell/print/PdfFile.h"
#include "store/CViewData.h"

namespace tavelo {
namespace {

constexpr double kMarginMillimetres = 10.0;
// The page number's line, as a share of the page's paintable height.
constexpr double kNumberShare = 0.035;

}  // namespace

QPageLayout DocumentPrinter::pageLayout(Paper paper) {
    const QMarginsF margins(kMarginMillimetres, kMarginMillimetres, kMarginMillimetres,
                            kMarginMillimetres);
    switch (paper) {
        case Paper::A4Portrait:
            return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, margins,
                               QPageLayout::Millimeter);
        case Paper::B5:
            return QPageLayout(QPageSize(QPageSize::JisB5), QPageLayout::Portrait, margins,
                               QPageLayout::Millimeter);
        case Paper::A5:
            return QPageLayout(QPageSize(QPageSize::A5), QPageLayout::Portrait, margins,
                               QPageLayout::Millimeter);
        case Paper::A4Landscape:
            break;
    }
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, margins,
                       QPageLayout::Millimeter);
}

String DocumentPrinter::caption(Paper paper) {
    switch (paper) {
        case Paper::A4Portrait:
            return u"A4 縦";
        case Paper::B5:
            return u"B5 縦";
        case Paper::A5:
            return u"A5 縦";
        case Paper::A4Landscape:
            break;
    }
    return u"A4 横";
}

PaintState DocumentPrinter::pageState(const Job& job, const DocumentPages::Page& page) {
    PaintState state;
    state.offsetX = page.offsetX;
    state.isSearch = job.isSearch;
    state.hitColor = job.hitColor;
    state.viewWidth = job.viewSize.width();
    state.firstLine = page.firstLine;
    state.lastLine = page.lastLine;
    return state;
}

DocumentPrinter::Placement DocumentPrinter::placementOn(const QPagedPaintDevice& device,
                                                        QSize viewSize) {
    Placement placement;
    placement.width = device.width();
    placement.height = device.height();
    placement.numberLine = placement.height * kNumberShare;
    const double scale = std::min(placement.width / viewSize.width(),
                                  (placement.height - placement.numberLine) / viewSize.height());
    placement.view = QTransform::fromTranslate(
                         (placement.width - viewSize.width() * scale) / 2,
                         (placement.height - placement.numberLine - viewSize.height() * scale) / 2)
                         .scale(scale, scale);
    return placement;
}

void DocumentPrinter::drawPageNumber(QPainter& painter, const Placement& placement, int number) {
    QFont numberFont(QStringLiteral("IPAGothic"));
    numberFont.setPixelSize(std::max(1, static_cast<int>(placement.numberLine * 0.6)));
    painter.resetTransform();
    painter.setFont(numberFont);
    painter.setPen(Qt::black);
    painter.drawText(
        QRectF(0, placement.height - placement.numberLine, placement.width, placement.numberLine),
        Qt::AlignCenter, QString::number(number));
}

int DocumentPrinter::print(QPagedPaintDevice& device, const Job& job, const CEisuuCyotai& fonts) {
    if (job.view == nullptr) return -1;
    const std::vector<DocumentPages::Page> pages =
        DocumentPages::pagesOf(*job.view, job.style, job.viewSize.width());
    QPainter painter;
    if (!painter.begin(&device)) return -1;

    const Placement placement = placementOn(device, job.viewSize);
    VectorDrawingSurface surface(painter, job.viewSize);
    DocumentPainter passes(surface, fonts);
    const int count = static_cast<int>(pages.size());
    for (int i = 0; i < count; ++i) {
        const DocumentPages::Page& page = pages[static_cast<std::size_t>(i)];
        if (i > 0 && !device.newPage()) return -1;
        painter.setTransform(placement.view);
        const PaintState state = pageState(job, page);
        if (job.style == 0) {
            passes.DrawSmallBun(*job.view, state);
            passes.DrawSmallRubi(*job.view, state);
        } else {
            passes.DrawBigBun(*job.view, page.tier, state);
            passes.DrawBigRubi(*job.view, page.tier, state);
        }
        drawPageNumber(painter, placement, i + 1);
    }
    return painter.end() ? count : -1;
}

bool DocumentPrinter::writePdf(const QString& path, Paper paper, const Job& job,
                               const CEisuuCyotai& fonts) {
    if (job.view == nullptr) return false;
    return PdfFile::write(path, QString::fromStdU16String(job.view->FileName()), pageLayout(paper),
                          [&](QPagedPaintDevice& device) { return print(device, job, fonts); });
}

}  // namespace tavelo
