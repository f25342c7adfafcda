#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "shell/gdi/FaceNameResolver.h"
#include "shell/gdi/FontDrawCounters.h"
#include "view/DrawingSurface.h"

class QImage;

namespace tavelo {

class FontFace;
class GdiFont;

// The GDI text calls of the view, drawn into the picture box's persistent image with Qt's
// outlines and HarfBuzz's vertical shaping. Face names go through FaceNameResolver; text is
// antialiased in the text colour of the call. Nothing depends on the screen: the resolution is
// 96 pixels per inch everywhere. A device scale above 1 (a high-density screen) keeps the
// calls in logical pixels and draws at device pixels: every font is rasterised at the scale
// times its height and every position is multiplied by the scale, so glyph edges stay sharp.
//
// Of the record, the height, the escapement and the face name count; orientation, width,
// weight, italic, underline and strike-out do not change the drawing. Needs a QGuiApplication
// (for the font database).
//
// Built for redrawing a whole document per scroll step: fonts are kept by their LOGFONTA
// (CreateFontIndirectA then only hands out a handle), shaping results, outlines and glyph
// images are kept per font and character, and TextOutA returns at once for text that lies
// outside the image. setCachingEnabled(false) does the full work on every call instead, with
// identical pixels; the counters tell how much real work was done.
class MFontDraw : public DrawingSurface {
public:
    // `image` belongs to the picture box and must outlive this object; it is drawn as
    // Format_RGB32 (converted on the first drawing when it is in another format).
    explicit MFontDraw(QImage& image);
    ~MFontDraw() override;
    MFontDraw(const MFontDraw&) = delete;
    MFontDraw& operator=(const MFontDraw&) = delete;

    [[nodiscard]] HDC hDC() const override { return deviceContext_; }
    void Cls() override;
    [[nodiscard]] int GetDeviceCaps(HDC hdc, int index) const override;
    [[nodiscard]] HFONT CreateFontIndirectA(const LOGFONTA& font) override;
    HGDIOBJ SelectObject(HDC hdc, HGDIOBJ object) override;
    COLORREF SetTextColor(HDC hdc, COLORREF color) override;
    [[nodiscard]] int TextOutA(HDC hdc, int x, int y, const char* text, int length) override;
    [[nodiscard]] int TextOutW(HDC hdc, int x, int y, std::u32string_view text) override;
    int DeleteObject(HGDIOBJ object) override;
    // Makes the font and the glyph images of the text into the caches (nothing without them).
    void prepareText(const LOGFONTA& font, const char* text, int length) override;
    void prepareTextW(const LOGFONTA& font, std::u32string_view text) override;

    // Off: no font, shaping or glyph image is reused, and text outside the image is shaped
    // and rasterised before it is clipped (the baseline for measurements); the font files
    // stay loaded. Switching empties the caches; fonts already handed out stay valid.
    void setCachingEnabled(bool enabled);
    [[nodiscard]] bool cachingEnabled() const { return caching_; }
    [[nodiscard]] const FontDrawCounters& counters() const { return counters_; }

    // Device pixels per logical pixel, 1 to 4; 1 (the default) draws exactly as without it.
    // Fonts handed out before a change keep the scale they were made at.
    void setDeviceScale(double scale);
    [[nodiscard]] double deviceScale() const { return scale_; }

private:
    using FontKey = std::array<char, sizeof(LOGFONTA)>;
    struct FontKeyHash {
        [[nodiscard]] std::size_t operator()(const FontKey& key) const;
    };
    // A handle's font. Cached fonts are owned by the cache, so that handing out and deleting
    // handles costs no reference counting; others are owned by their slot.
    struct FontSlot {
        GdiFont* font = nullptr;  // null for the stock font until it is first used
        std::shared_ptr<GdiFont> owner;
        std::uint32_t generation = 0;
        bool live = false;
    };

    [[nodiscard]] LOGFONTA atDeviceScale(const LOGFONTA& font) const;
    [[nodiscard]] std::int64_t toDevice(int logical) const;
    [[nodiscard]] std::shared_ptr<GdiFont> realise(const LOGFONTA& font);
    [[nodiscard]] GdiFont* cachedFont(const LOGFONTA& font);
    void dropCachedFonts();
    [[nodiscard]] std::shared_ptr<FontFace> faceFor(const QString& family);
    [[nodiscard]] FontSlot* slotOf(HGDIOBJ object);
    [[nodiscard]] GdiFont& selectedFont();
    void blend(const std::vector<std::uint8_t>& coverage, std::int64_t left, std::int64_t top,
               int width, int height);

    QImage& image_;
    HDC deviceContext_;
    FaceNameResolver resolver_;
    FontDrawCounters counters_;
    bool caching_ = true;
    double scale_ = 1;

    std::vector<FontSlot> slots_;  // slot 0 is the stock font
    std::vector<std::uint32_t> freeSlots_;
    std::size_t liveFonts_ = 0;  // handles handed out and not deleted
    std::shared_ptr<GdiFont> stockFont_;
    std::uint32_t selectedSlot_ = 0;
    COLORREF textColor_ = RGB(0, 0, 0);

    std::unordered_map<FontKey, std::shared_ptr<GdiFont>, FontKeyHash> fonts_;
    // Fonts dropped from the cache while handles to them were live, kept until none is.
    std::vector<std::shared_ptr<GdiFont>> retiredFonts_;
    std::unordered_map<QString, std::shared_ptr<FontFace>> faces_;
    // The last records seen, raw, as the passes alternate between body, ruby and kanji ruby.
    struct RecentFont {
        FontKey record{};
        GdiFont* font = nullptr;  // owned by fonts_
    };
    std::array<RecentFont, 4> recentFonts_{};
    std::size_t nextRecentFont_ = 0;
    std::size_t lastRecentHit_ = 0;
};

}  // namespace tavelo
