#include "shell/gdi/VectorDrawingSurface.h"

#include <QFontDatabase>
#include <QGlyphRun>
#include <QPainter>
#include <algorithm>
#include <atomic>
#include <cstring>

#include "shell/gdi/FontFace.h"
#include "shell/gdi/GdiFont.h"

namespace tavelo {
namespace {

constexpr int kPixelsPerInch = 96;
constexpr std::uint32_t kStockFont = 0x10;
constexpr std::size_t kMaxHandles = 0xFFFF;

// Surfaces of one process differ in their device context, as MFontDraw's do.
HDC nextDeviceContext() {
    static std::atomic<std::uint32_t> next{0x7DC00};
    return HDC(next++);
}

// The record as a key: the bytes after the face name's terminator are left-overs.
std::string keyOf(const LOGFONTA& font) {
    std::string key(reinterpret_cast<const char*>(&font), sizeof font);
    const std::size_t face = offsetof(LOGFONTA, lfFaceName);
    const std::size_t end = key.find('\0', face);
    if (end != std::string::npos) std::fill(key.begin() + static_cast<long>(end), key.end(), '\0');
    return key;
}

}  // namespace

VectorDrawingSurface::VectorDrawingSurface(QPainter& painter, QSize viewSize)
    : painter_(painter),
      viewSize_(viewSize),
      deviceContext_(nextDeviceContext()),
      resolver_(QFontDatabase::families()),
      selected_(kStockFont) {}

VectorDrawingSurface::~VectorDrawingSurface() = default;

void VectorDrawingSurface::Cls() {
    painter_.fillRect(QRect(QPoint(0, 0), viewSize_), Qt::white);
}

int VectorDrawingSurface::GetDeviceCaps(HDC hdc, int index) const {
    if (hdc != deviceContext_) return 0;
    return index == LOGPIXELSY ? kPixelsPerInch : 0;
}

HFONT VectorDrawingSurface::CreateFontIndirectA(const LOGFONTA& font) {
    if (handles_.size() >= kMaxHandles) return HFONT();
    const std::uint32_t handle = nextHandle_++;
    handles_.emplace(handle, font);
    return HFONT(handle);
}

HGDIOBJ VectorDrawingSurface::SelectObject(HDC hdc, HGDIOBJ object) {
    if (hdc != deviceContext_) return HGDIOBJ();
    const std::uint32_t handle = object.value();
    if (handle != kStockFont && handles_.count(handle) == 0) return HGDIOBJ();
    const HGDIOBJ previous(selected_);
    selected_ = handle;
    return previous;
}

int VectorDrawingSurface::DeleteObject(HGDIOBJ object) {
    const std::uint32_t handle = object.value();
    if (handle == kStockFont) return 1;  // the stock font outlives DeleteObject
    if (handle == selected_ || handles_.erase(handle) == 0) return 0;
    return 1;
}

COLORREF VectorDrawingSurface::SetTextColor(HDC hdc, COLORREF color) {
    if (hdc != deviceContext_) return CLR_INVALID;
    const COLORREF previous = textColor_;
    textColor_ = color;
    return previous;
}

GdiFont& VectorDrawingSurface::fontFor(const LOGFONTA& font) {
    std::unique_ptr<GdiFont>& cached = fonts_[keyOf(font)];
    if (!cached) {
        const FaceNameResolver::Resolution resolution = resolver_.resolve(faceName(font));
        std::shared_ptr<FontFace>& face = faces_[resolution.family];
        if (!face) face = std::make_shared<FontFace>(resolution.family, counters_);
        cached = std::make_unique<GdiFont>(face, resolution.vertical, font, counters_);
    }
    return *cached;
}

int VectorDrawingSurface::TextOutA(HDC hdc, int x, int y, const char* text, int length) {
    if (hdc != deviceContext_ || length < 0 || (text == nullptr && length > 0)) return 0;
    if (length == 0) return 1;
    GdiFont& font = selectedFont();
    // Text wholly outside the view is left out, as the view leaves it out.
    // (Counting bytes as characters only widens the test.)
    if (!font.mayInk(x, y, length, viewSize_.width(), viewSize_.height())) return 1;
    drawGlyphs(font, x, y, [&](auto&& drawCharacter) {
        forEachAnsiCharacter(text, length, [&](char16_t c, bool doubleByte) {
            drawCharacter(font.place(c, doubleByte, true));
        });
    });
    return 1;
}

int VectorDrawingSurface::TextOutW(HDC hdc, int x, int y, std::u32string_view text) {
    if (hdc != deviceContext_) return 0;
    GdiFont& font = selectedFont();
    const auto count = static_cast<int>(std::min<std::size_t>(text.size(), 1u << 20));
    if (!font.mayInk(x, y, count, viewSize_.width(), viewSize_.height())) return 1;
    drawGlyphs(font, x, y, [&](auto&& drawCharacter) {
        forEachUnicodeCluster(text, [&](std::u32string_view cluster, bool wide) {
            drawCharacter(font.place(cluster, wide, true));
        });
    });
    return 1;
}

GdiFont& VectorDrawingSurface::selectedFont() {
    const auto found = handles_.find(selected_);
    return fontFor(found == handles_.end() ? stockFontRecord() : found->second);
}

template <typename WalkText>
void VectorDrawingSurface::drawGlyphs(GdiFont& font, int x, int y, WalkText&& walkText) {
    const QRawFont& rawFont = font.face().rawFont();
    const QColor color(redOf(textColor_), greenOf(textColor_), blueOf(textColor_));
    painter_.save();
    painter_.setPen(color);
    const QTransform view = painter_.transform();
    int advance = 0;
    walkText([&](const GdiFont::PlacedCharacter& placed) {
        const QTransform pen =
            QTransform::fromTranslate(static_cast<double>(x + font.penX(advance)),
                                      static_cast<double>(y + font.penY(advance)));
        for (const GdiFont::PlacedGlyph& glyph : placed.glyphs) {
            QGlyphRun run;
            run.setRawFont(rawFont);
            run.setGlyphIndexes({glyph.id});
            run.setPositions({QPointF(0, 0)});
            painter_.setTransform(glyph.toDevice * pen * view);
            painter_.drawGlyphRun(QPointF(0, 0), run);
            ++glyphsDrawn_;
        }
        advance += placed.advance;
    });
    painter_.restore();
}

}  // namespace tavelo
