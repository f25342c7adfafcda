#include "shell/window/ShellImages.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <array>

namespace tavelo::shellimages {
namespace {

constexpr QRgb kTransparent = 0x00000000;
constexpr QRgb kOutline = 0xFF404040;
constexpr QRgb kPaper = 0xFFFFFFFF;
constexpr QRgb kInk = 0xFF1A2A6C;

QImage blank(int size) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(kTransparent);
    return image;
}

// A grid of characters, one per pixel, with '.' transparent.
QImage fromGrid(const std::array<const char*, 16>& rows) {
    QImage image = blank(16);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            QRgb color = kTransparent;
            switch (rows[static_cast<std::size_t>(y)][x]) {
                case 'k':
                    color = 0xFF000000;
                    break;
                case 'Y':
                    color = 0xFFFFF2A8;
                    break;
                case 'y':
                    color = 0xFFE8B830;
                    break;
                case 'w':
                    color = kPaper;
                    break;
                default:
                    break;
            }
            image.setPixel(x, y, color);
        }
    }
    return image;
}

// A sheet of paper with a dark edge, covering `left`..`right` and `top`..`bottom`.
void drawPage(QImage& image, int left, int top, int right, int bottom) {
    for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x) {
            const bool edge = x == left || x == right || y == top || y == bottom;
            image.setPixel(x, y, edge ? kOutline : kPaper);
        }
    }
}

void fill(QImage& image, int left, int top, int width, int height, QRgb color) {
    for (int y = top; y < top + height; ++y)
        for (int x = left; x < left + width; ++x) image.setPixel(x, y, color);
}

// The pixel image at `scale`, each pixel a square of pixels: edges stay as hard as drawn.
QImage doubled(const QImage& image, int scale) {
    return scale == 1
               ? image
               : image.scaled(image.size() * scale, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

// The icon of the image drawn at scale 1 and 2.
template <class Draw>
QIcon bothSizes(Draw draw) {
    QIcon icon;
    for (int scale : {1, 2}) icon.addPixmap(QPixmap::fromImage(draw(scale)));
    return icon;
}

QImage smallFontImage();
QImage largeFontImage();
QImage refreshImage(int scale);

}  // namespace

QIcon openFile() {
    return bothSizes([](int scale) {
        return doubled(fromGrid({
                           "................",
                           "................",
                           "..kkkk..........",
                           ".kYYYYk.........",
                           ".kYyyyYkkkkkkk..",
                           ".kYyyyyyyyyyyk..",
                           ".kYyywwwwwwwyk..",
                           ".kYywkkkkkkkkkkk",
                           ".kYykYYYYYYYYYYk",
                           ".kYkYyyyyyyyyyk.",
                           ".kYkYyyyyyyyyyk.",
                           ".kkYyyyyyyyyyk..",
                           ".kkYyyyyyyyyyk..",
                           ".kYyyyyyyyyyk...",
                           ".kkkkkkkkkkkk...",
                           "................",
                       }),
                       scale);
    });
}

QIcon smallFont() {
    return bothSizes([](int scale) { return doubled(smallFontImage(), scale); });
}

QIcon largeFont() {
    return bothSizes([](int scale) { return doubled(largeFontImage(), scale); });
}

QIcon refresh() {
    return bothSizes(refreshImage);
}

namespace {

QImage smallFontImage() {
    QImage image = blank(16);
    drawPage(image, 2, 1, 13, 14);
    // Lines run from the right; each character is a one-pixel dash.
    const std::array<int, 4> columns = {11, 9, 7, 5};
    const std::array<int, 4> lengths = {10, 10, 7, 4};
    for (std::size_t i = 0; i < columns.size(); ++i) {
        for (int y = 3; y < 3 + lengths[i]; ++y) {
            if ((y - 3) % 3 != 2) image.setPixel(columns[i], y, kInk);
        }
    }
    return image;
}

QImage largeFontImage() {
    QImage image = blank(16);
    drawPage(image, 2, 1, 13, 14);
    // Two lines of large characters, each a small glyph of three by three pixels.
    const auto glyph = [&image](int left, int top) {
        fill(image, left, top, 3, 1, kInk);
        image.setPixel(left + 1, top + 1, kInk);
        fill(image, left, top + 2, 3, 1, kInk);
    };
    glyph(9, 3);
    glyph(9, 7);
    glyph(9, 11);
    glyph(4, 3);
    glyph(4, 7);
    return image;
}

// Drawn as curves, so that the larger image is drawn afresh rather than blown up.
QImage refreshImage(int scale) {
    QImage image = blank(16 * scale);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(scale, scale);
    const QColor green(0x1E, 0x8C, 0x32);
    painter.setPen(QPen(green, 2.0, Qt::SolidLine, Qt::FlatCap));
    // Most of a circle, open at the top right, with the arrow head at its upper end.
    painter.drawArc(QRectF(3.0, 3.0, 10.0, 10.0), 60 * 16, 280 * 16);
    QPainterPath head;
    head.moveTo(9.0, 0.5);
    head.lineTo(14.0, 4.0);
    head.lineTo(8.5, 7.0);
    head.closeSubpath();
    painter.fillPath(head, green);
    painter.end();
    return image;
}

}  // namespace
}  // namespace tavelo::shellimages
