#pragma once

#include <QColor>
#include <QSize>
#include <QString>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>

#include "shell/gdi/FaceNameResolver.h"
#include "shell/gdi/FontDrawCounters.h"
#include "view/DrawingSurface.h"

class QPainter;

namespace tavelo {

class FontFace;
class GdiFont;

// The GDI text calls of the view drawn as text onto any QPainter, for printing and the PDF:
// each character becomes a glyph run of the font file it is shaped from (the same faces,
// HarfBuzz shaping, vertical forms and positions as MFontDraw), so a PDF holds the embedded
// font and selectable text rather than a picture. Coordinates are the view's pixels; the
// painter's transform places the view on the page.
//
// The surface covers the view's rectangle: Cls fills it white. Needs a QGuiApplication.
class VectorDrawingSurface : public DrawingSurface {
public:
    // `painter` is active and outlives the surface.
    VectorDrawingSurface(QPainter& painter, QSize viewSize);
    ~VectorDrawingSurface() override;
    VectorDrawingSurface(const VectorDrawingSurface&) = delete;
    VectorDrawingSurface& operator=(const VectorDrawingSurface&) = delete;

    [[nodiscard]] HDC hDC() const override { return deviceContext_; }
    void Cls() override;
    [[nodiscard]] int GetDeviceCaps(HDC hdc, int index) const override;
    [[nodiscard]] HFONT CreateFontIndirectA(const LOGFONTA& font) override;
    HGDIOBJ SelectObject(HDC hdc, HGDIOBJ object) override;
    COLORREF SetTextColor(HDC hdc, COLORREF color) override;
    [[nodiscard]] int TextOutA(HDC hdc, int x, int y, const char* text, int length) override;
    [[nodiscard]] int TextOutW(HDC hdc, int x, int y, std::u32string_view text) override;
    int DeleteObject(HGDIOBJ object) override;

    // Glyphs drawn so far, for tests and measurements.
    [[nodiscard]] int glyphsDrawn() const { return glyphsDrawn_; }

private:
    [[nodiscard]] GdiFont& fontFor(const LOGFONTA& font);
    [[nodiscard]] GdiFont& selectedFont();
    // Draws the characters that walkText hands to its callback, one after another from (x, y).
    template <typename WalkText>
    void drawGlyphs(GdiFont& font, int x, int y, WalkText&& walkText);

    QPainter& painter_;
    QSize viewSize_;
    HDC deviceContext_;
    FaceNameResolver resolver_;
    FontDrawCounters counters_;
    // Handles to the records they were created from; the stock font is never in here.
    std::map<std::uint32_t, LOGFONTA> handles_;
    std::uint32_t nextHandle_ = 0x100;
    std::uint32_t selected_;
    COLORREF textColor_ = RGB(0, 0, 0);
    // Realised fonts by their record's bytes, and faces by family: a document uses few.
    std::unordered_map<std::string, std::unique_ptr<GdiFont>> fonts_;
    std::unordered_map<QString, std::shared_ptr<FontFace>> faces_;
    int glyphsDrawn_ = 0;
};

}  // namespace tavelo
