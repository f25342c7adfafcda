#pragma once

#include <string>

#include "common/CodePage932.h"
#include "view/DrawingSurface.h"

// Drawing one character the way the drawing procedures do: a font per character, selected,
// coloured, the character's code page 932 bytes padded to two, the old font back, deleted.
namespace tavelo::testing {

[[nodiscard]] inline LOGFONTA classicLogFont(const String& face, LONG height,
                                             LONG escapement = 2700) {
    LOGFONTA font;
    font.lfHeight = height;
    font.lfEscapement = escapement;
    font.lfOrientation = escapement;
    font.lfWeight = 400;
    font.lfCharSet = 1;
    setFaceName(font, face);
    return font;
}

// The TextOutA result, 0 when a step before it already failed.
inline int drawCharacter(DrawingSurface& surface, const LOGFONTA& logFont, COLORREF color, int x,
                         int y, const String& character) {
    const HFONT font = surface.CreateFontIndirectA(logFont);
    if (!font) return 0;
    const HGDIOBJ previous = surface.SelectObject(surface.hDC(), font);
    if (!previous) return 0;
    surface.SetTextColor(surface.hDC(), color);
    std::string bytes = CodePage932::encode(character);
    bytes.resize(2);
    const int drawn = surface.TextOutA(surface.hDC(), x, y, bytes.data(), 2);
    surface.SelectObject(surface.hDC(), previous);
    surface.DeleteObject(font);
    return drawn;
}

}  // namespace tavelo::testing
