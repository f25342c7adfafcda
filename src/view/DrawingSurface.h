#pragma once

#include <string_view>

#include "view/GdiTypes.h"

namespace tavelo {

// The view's persistent drawing surface as the drawing procedures use it: one device context
// over an image that keeps what was drawn until the next Cls, and the GDI text calls on it.
//
// Contract shared by every implementation:
// - hDC() is non-zero and the same for the surface's whole life; a call with another device
//   context fails (0, or CLR_INVALID for SetTextColor) and changes nothing.
// - GetDeviceCaps(hDC, LOGPIXELSY) is 96 on every machine; unknown indices give 0.
// - CreateFontIndirectA never returns 0 for a valid record; each call hands out a handle of
//   its own that stays valid until DeleteObject.
// - The device context starts with a stock font selected and black text. SelectObject
//   returns the previously selected object, or 0 (selection unchanged) for a handle that is
//   unknown or deleted.
// - DeleteObject returns non-zero and invalidates the handle; for the selected font or an
//   unknown handle it returns 0 and changes nothing; the stock font survives it.
// - SetTextColor returns the previous colour; the colour applies to later TextOutA calls.
// - TextOutA draws the code page 932 text (ended early by a zero byte) with the selected font;
//   the point (x, y) is the top-left corner of the text in the font's own direction, which for
//   an escapement of 2700 is the top-right corner of the first character's em square, the
//   text running down. Non-zero on success, also when everything is clipped away.
// - TextOutW draws Unicode text (code points, ended early by U+0000) with the selected font,
//   from the same point as TextOutA: a character isWideCharacter calls wide stands upright in
//   a vertical font as a double-byte character does, the rest lie on their side, and a
//   character with the combining marks or variation selectors after it is shaped as one
//   cluster. Text that code page 932 holds draws exactly as TextOutA draws its bytes.
// - Cls clears the image to white; the selected font and the colour stay.
// - prepareText (prepareTextW for Unicode text) is a hint beyond GDI, that the text will be
//   drawn in that font later: a surface with caches may make the font and the glyphs ahead. It draws nothing and changes
//   no state a later call can see.
class DrawingSurface {
public:
    virtual ~DrawingSurface() = default;

    [[nodiscard]] virtual HDC hDC() const = 0;
    virtual void Cls() = 0;

    [[nodiscard]] virtual int GetDeviceCaps(HDC hdc, int index) const = 0;
    [[nodiscard]] virtual HFONT CreateFontIndirectA(const LOGFONTA& font) = 0;
    virtual HGDIOBJ SelectObject(HDC hdc, HGDIOBJ object) = 0;
    virtual COLORREF SetTextColor(HDC hdc, COLORREF color) = 0;
    [[nodiscard]] virtual int TextOutA(HDC hdc, int x, int y, const char* text, int length) = 0;
    [[nodiscard]] virtual int TextOutW(HDC hdc, int x, int y, std::u32string_view text) = 0;
    virtual int DeleteObject(HGDIOBJ object) = 0;

    virtual void prepareText(const LOGFONTA& /*font*/, const char* /*text*/, int /*length*/) {}
    virtual void prepareTextW(const LOGFONTA& /*font*/, std::u32string_view /*text*/) {}
};

}  // namespace tavelo
