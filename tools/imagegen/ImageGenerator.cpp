#include "ImageGenerator.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace tavelo {
namespace {

const QColor kInk(0x26, 0x28, 0x33);
const QColor kRuby(0xD8, 0x43, 0x2A);  // vermilion
const QColor kPaper(0xFF, 0xFD, 0xF5);
const QColor kIndigoTop(0x3B, 0x63, 0xB8);
const QColor kIndigoBottom(0x1D, 0x36, 0x78);

}  // namespace

QImage ImageGenerator::applicationIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size;
    const bool small = size < 32;

    // Indigo tile.
    const double margin = small ? 0.0 : std::round(s * 0.04);
    const QRectF tile(margin, margin, s - 2 * margin, s - 2 * margin);
    QLinearGradient tileFill(tile.topLeft(), tile.bottomLeft());
    tileFill.setColorAt(0, kIndigoTop);
    tileFill.setColorAt(1, kIndigoBottom);
    p.setPen(Qt::NoPen);
    p.setBrush(tileFill);
    p.drawRoundedRect(tile, s * 0.16, s * 0.16);

    // The page, a little shadow under it on the larger sizes.
    const int smallInset = size < 22 ? 3 : (size == 22 ? 3 : 4);
    const QRectF page = small ? QRectF(smallInset, size < 22 ? 2 : 3, size - 2 * smallInset,
                                       size - (size < 22 ? 4 : 6))
                              : QRectF(QPointF(std::round(s * 6 / 32), std::round(s * 4 / 32)),
                                       QPointF(std::round(s * 26 / 32), std::round(s * 28 / 32)));
    if (!small) {
        p.setBrush(QColor(0, 0, 0, 60));
        p.drawRoundedRect(page.translated(s * 0.015, s * 0.02), s * 0.025, s * 0.025);
    }
    p.setBrush(kPaper);
    p.drawRoundedRect(page, small ? 0.0 : s * 0.025, small ? 0.0 : s * 0.025);

    // The small sizes are laid out pixel by pixel: three columns from right to left, the
    // last one short, and the ruby beside the first.
    if (small) {
        p.setRenderHint(QPainter::Antialiasing, false);
        const bool tiny = size < 22;
        const int columnWidth = tiny ? 1 : 2;
        const int step = tiny ? 3 : 4;
        const int top = static_cast<int>(page.top()) + (tiny ? 1 : 2);
        const int bottom = static_cast<int>(page.bottom()) - (tiny ? 1 : 2);
        const int rubyX = static_cast<int>(page.right()) - (tiny ? 1 : 3);
        const int right = rubyX - 1 - columnWidth;
        for (int c = 0; c < 3; ++c) {
            const int end = c == 2 ? top + (bottom - top) / 2 : bottom;
            p.fillRect(QRect(right - c * step, top, columnWidth, end - top), kInk);
        }
        p.fillRect(QRect(rubyX, top + (tiny ? 1 : 2), 1, tiny ? 3 : 4), kRuby);
        return image;
    }

    // Drawn on a 32-unit grid: columns of text as strokes, right to left, the last one short
    // where the paragraph ends; the ruby is a
    // thin vermilion stroke beside the first column. Edges snap to whole pixels.
    const double u = s / 32.0;
    auto gridRect = [u](double left, double top, double right, double bottom) {
        return QRectF(QPointF(std::round(left * u), std::round(top * u)),
                      QPointF(std::round(right * u), std::round(bottom * u)));
    };
    const double round = size >= 64 ? u * 0.9 : 0.0;
    p.setRenderHint(QPainter::Antialiasing, size >= 64);
    p.setBrush(kInk);
    for (const QRectF& stroke :
         {gridRect(19, 7.5, 21, 25.5), gridRect(14, 7.5, 16, 22), gridRect(9, 7.5, 11, 14)}) {
        p.drawRoundedRect(stroke, round, round);
    }
    p.setBrush(kRuby);
    p.drawRoundedRect(gridRect(22, 9.5, 23.25, 15), round / 2, round / 2);
    return image;
}

QImage ImageGenerator::pointer(bool pointsLeft, bool bigStep) {
    constexpr int kSize = 32;
    QPainterPath shape;
    if (bigStep) {
        // Two heads, the one in front touching the one behind.
        QPolygonF front;
        front << QPointF(3, 16) << QPointF(15, 6) << QPointF(15, 26);
        QPolygonF back;
        back << QPointF(15, 16) << QPointF(27, 6) << QPointF(27, 26);
        shape.addPolygon(front);
        shape.closeSubpath();
        shape.addPolygon(back);
        shape.closeSubpath();
        shape = shape.simplified();
    } else {
        QPolygonF arrow;
        arrow << QPointF(4, 16) << QPointF(16, 5) << QPointF(16, 12) << QPointF(28, 12)
              << QPointF(28, 20) << QPointF(16, 20) << QPointF(16, 27);
        shape.addPolygon(arrow);
        shape.closeSubpath();
    }

    QImage image(kSize, kSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // A white rim keeps the black arrow visible on the white page and on dark text alike.
    p.setPen(QPen(Qt::white, 3.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::white);
    p.drawPath(shape);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawPath(shape);
    p.end();
    // The right-pointing images are exact mirror images of the left ones.
    return pointsLeft ? image : image.mirrored(true, false);
}

}  // namespace tavelo
