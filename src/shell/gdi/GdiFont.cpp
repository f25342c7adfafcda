#include "shell/gdi/GdiFont.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "shell/gdi/FontDrawCounters.h"
#include "shell/gdi/FontFace.h"

namespace tavelo {
namespace {

// Exact axes for the quarter turns, so that the usual escapements place pixels exactly.
void axesOf(LONG escapement, double& alongX, double& alongY, double& acrossX, double& acrossY) {
    const LONG tenths = ((escapement % 3600) + 3600) % 3600;
    switch (tenths) {
        case 0:
            alongX = 1, alongY = 0, acrossX = 0, acrossY = 1;
            return;
        case 900:
            alongX = 0, alongY = -1, acrossX = 1, acrossY = 0;
            return;
        case 1800:
            alongX = -1, alongY = 0, acrossX = 0, acrossY = -1;
            return;
        case 2700:
            alongX = 0, alongY = 1, acrossX = -1, acrossY = 0;
            return;
        default:
            break;
    }
    // Counter-clockwise on the screen, whose y axis points down.
    const double angle = tenths / 10.0 * std::numbers::pi / 180.0;
    alongX = std::cos(angle);
    alongY = -std::sin(angle);
    acrossX = std::sin(angle);
    acrossY = std::cos(angle);
}

}  // namespace

GdiFont::GdiFont(std::shared_ptr<FontFace> face, bool vertical, const LOGFONTA& logFont,
                 FontDrawCounters& counters)
    : face_(std::move(face)), counters_(counters), vertical_(vertical) {
    ++counters_.fontsCreated;
    const double unitsPerEm = face_->unitsPerEm();
    const double height = logFont.lfHeight;  // as a double: -LONG_MIN must not overflow
    if (height < 0) {
        em_ = -height;
    } else if (height > 0) {
        // A positive height is the cell, ascent plus descent.
        em_ = height * unitsPerEm / (face_->cellAscent() + face_->cellDescent());
    }
    em_ = std::min(em_, kMaxEm);
    baseline_ = em_ * face_->cellAscent() / unitsPerEm;
    axesOf(logFont.lfEscapement, alongX_, alongY_, acrossX_, acrossY_);
    reach(1, reachLeft_, reachTop_, reachRight_, reachBottom_);
}

void GdiFont::reach(int characterCount, double& left, double& top, double& right,
                    double& bottom) const {
    const double margin = em_ / 2;
    const double alongEnd = characterCount * em_ + margin;
    const double acrossEnd = em_ + margin;
    bool first = true;
    for (const double u : {-margin, alongEnd}) {
        for (const double v : {-margin, acrossEnd}) {
            const double px = u * alongX_ + v * acrossX_;
            const double py = u * alongY_ + v * acrossY_;
            left = first ? px : std::min(left, px);
            right = first ? px : std::max(right, px);
            top = first ? py : std::min(top, py);
            bottom = first ? py : std::max(bottom, py);
            first = false;
        }
    }
}

bool GdiFont::mayInk(std::int64_t x, std::int64_t y, int characterCount, int width,
                     int height) const {
    double left = reachLeft_, top = reachTop_, right = reachRight_, bottom = reachBottom_;
    if (characterCount != 1) reach(characterCount, left, top, right, bottom);
    const auto px = static_cast<double>(x);
    const auto py = static_cast<double>(y);
    return px + right > 0 && py + bottom > 0 && px + left < width && py + top < height;
}

std::int64_t GdiFont::penX(int advance) const {
    return std::llround(advance * alongX_);
}
std::int64_t GdiFont::penY(int advance) const {
    return std::llround(advance * alongY_);
}

const GdiFont::GlyphImage& GdiFont::glyph(char32_t c, bool doubleByte, bool cache) {
    if (!cache) {
        scratch_ = render(std::u32string_view(&c, 1), doubleByte, false);
        return scratch_;
    }
    const std::uint32_t key = std::uint32_t{c} | (doubleByte ? 1u << 21 : 0u);
    const auto found = glyphs_.find(key);
    if (found != glyphs_.end()) return found->second;
    return glyphs_.emplace(key, render(std::u32string_view(&c, 1), doubleByte, true)).first->second;
}

const GdiFont::GlyphImage& GdiFont::glyph(std::u32string_view cluster, bool wide, bool cache) {
    if (cluster.size() == 1) return glyph(cluster.front(), wide, cache);
    scratch_ = render(cluster, wide, false);
    return scratch_;
}

GdiFont::PlacedCharacter GdiFont::place(char32_t c, bool doubleByte, bool cache) {
    return place(std::u32string_view(&c, 1), doubleByte, cache);
}

GdiFont::PlacedCharacter GdiFont::place(std::u32string_view cluster, bool doubleByte, bool cache) {
    const bool upright = vertical_ && doubleByte;
    const FontFace::ShapedCharacter shaped = cluster.size() == 1
                                                 ? face_->shape(cluster.front(), upright, cache)
                                                 : face_->shapeCluster(cluster, upright);
    const double scale = em_ / face_->unitsPerEm();

    PlacedCharacter placed;
    placed.advance = static_cast<int>(std::lround(shaped.advance * scale));
    for (const FontFace::ShapedGlyph& glyph : shaped.glyphs) {
        if (glyph.id == 0) continue;  // the font lacks the character: GDI draws nothing here
        // Design units (x right, y down) to (u, v), then to device pixels.
        QTransform toDevice;
        if (upright) {
            // u = down from the vertical origin, v = left of the column's centre line.
            const double u0 = -glyph.yOffset * scale;
            const double v0 = em_ / 2 - glyph.xOffset * scale;
            toDevice =
                QTransform(-scale * acrossX_, -scale * acrossY_, scale * alongX_, scale * alongY_,
                           u0 * alongX_ + v0 * acrossX_, u0 * alongY_ + v0 * acrossY_);
        } else {
            const double u0 = glyph.xOffset * scale;
            const double v0 = baseline_ - glyph.yOffset * scale;
            toDevice =
                QTransform(scale * alongX_, scale * alongY_, scale * acrossX_, scale * acrossY_,
                           u0 * alongX_ + v0 * acrossX_, u0 * alongY_ + v0 * acrossY_);
        }
        placed.glyphs.push_back({glyph.id, toDevice});
    }
    return placed;
}

GdiFont::GlyphImage GdiFont::render(std::u32string_view cluster, bool doubleByte, bool cache) {
    const PlacedCharacter placed = place(cluster, doubleByte, cache);
    GlyphImage image;
    image.advance = placed.advance;

    QPainterPath ink;
    ink.setFillRule(Qt::WindingFill);
    for (const PlacedGlyph& glyph : placed.glyphs) {
        const QPainterPath outline = face_->outline(glyph.id, cache);
        if (!outline.isEmpty()) ink.addPath(glyph.toDevice.map(outline));
    }
    if (ink.isEmpty()) return image;

    const QRectF bounds = ink.boundingRect();
    image.left = static_cast<int>(std::floor(bounds.left()));
    image.top = static_cast<int>(std::floor(bounds.top()));
    image.width = static_cast<int>(std::ceil(bounds.right())) - image.left;
    image.height = static_cast<int>(std::ceil(bounds.bottom())) - image.top;
    if (image.width <= 0 || image.height <= 0) return image;

    QImage mask(image.width, image.height, QImage::Format_Alpha8);
    mask.fill(0);
    {
        QPainter painter(&mask);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.translate(-image.left, -image.top);
        painter.fillPath(ink, QColor(0, 0, 0, 255));
    }
    image.coverage.resize(static_cast<std::size_t>(image.width) *
                          static_cast<std::size_t>(image.height));
    for (int row = 0; row < image.height; ++row)
        std::copy_n(mask.constScanLine(row), image.width,
                    image.coverage.begin() + static_cast<std::ptrdiff_t>(row) * image.width);
    ++counters_.glyphsRendered;
    return image;
}

}  // namespace tavelo
