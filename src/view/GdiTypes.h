#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/ClassicTypes.h"
#include "common/CodePage932.h"

// The classic GDI value types that the drawing procedures fill and pass to the drawing
// surface, with the same layout and meaning as the Windows ones, and the few helpers around
// them. Nothing here needs a window system.
namespace tavelo {

using LONG = std::int32_t;
using BYTE = std::uint8_t;
using CHAR = char;
using COLORREF = std::uint32_t;  // 0x00BBGGRR

inline constexpr int LF_FACESIZE = 32;
inline constexpr int LOGPIXELSY = 90;                // GetDeviceCaps index
inline constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;  // SetTextColor on a bad device context

// The font description handed to CreateFontIndirectA, field by field as Windows lays it out
// (60 bytes, no padding). Heights are device pixels: negative for the em size, positive for
// the cell height; escapement and orientation are tenths of a degree, counter-clockwise.
struct LOGFONTA {
    LONG lfHeight = 0;
    LONG lfWidth = 0;
    LONG lfEscapement = 0;
    LONG lfOrientation = 0;
    LONG lfWeight = 0;
    BYTE lfItalic = 0;
    BYTE lfUnderline = 0;
    BYTE lfStrikeOut = 0;
    BYTE lfCharSet = 0;
    BYTE lfOutPrecision = 0;
    BYTE lfClipPrecision = 0;
    BYTE lfQuality = 0;
    BYTE lfPitchAndFamily = 0;
    CHAR lfFaceName[LF_FACESIZE] = {};
};
static_assert(sizeof(LOGFONTA) == 60, "LOGFONTA must keep the Windows layout");
static_assert(offsetof(LOGFONTA, lfEscapement) == 8 && offsetof(LOGFONTA, lfWeight) == 16 &&
              offsetof(LOGFONTA, lfItalic) == 20 && offsetof(LOGFONTA, lfCharSet) == 23 &&
              offsetof(LOGFONTA, lfPitchAndFamily) == 27 && offsetof(LOGFONTA, lfFaceName) == 28);

// A GDI handle: an opaque non-zero number, 0 meaning failure. Each kind is its own type so
// that a font cannot be passed where a device context is expected.
template <typename Kind>
class GdiHandle {
public:
    constexpr GdiHandle() = default;
    constexpr explicit GdiHandle(std::uint32_t value) : value_(value) {}

    [[nodiscard]] constexpr std::uint32_t value() const { return value_; }
    constexpr explicit operator bool() const { return value_ != 0; }
    friend constexpr bool operator==(GdiHandle, GdiHandle) = default;

private:
    std::uint32_t value_ = 0;
};

struct DeviceContextKind;
struct FontKind;
struct GdiObjectKind;

using HDC = GdiHandle<DeviceContextKind>;
using HFONT = GdiHandle<FontKind>;

// Any selectable object; a font converts to it implicitly, as HFONT does to HGDIOBJ.
class HGDIOBJ : public GdiHandle<GdiObjectKind> {
public:
    using GdiHandle<GdiObjectKind>::GdiHandle;
    // Implicit on purpose: SelectObject and DeleteObject take any object, fonts included.
    constexpr HGDIOBJ(HFONT font) : GdiHandle<GdiObjectKind>(font.value()) {}
};

// The colour value of GDI, 0x00BBGGRR. A function, not the Windows macro, so it can live in
// the namespace.
[[nodiscard]] constexpr COLORREF RGB(BYTE red, BYTE green, BYTE blue) {
    return COLORREF{red} | (COLORREF{green} << 8) | (COLORREF{blue} << 16);
}
[[nodiscard]] constexpr BYTE redOf(COLORREF color) {
    return static_cast<BYTE>(color & 0xFF);
}
[[nodiscard]] constexpr BYTE greenOf(COLORREF color) {
    return static_cast<BYTE>((color >> 8) & 0xFF);
}
[[nodiscard]] constexpr BYTE blueOf(COLORREF color) {
    return static_cast<BYTE>((color >> 16) & 0xFF);
}

// a * b / c rounded to the nearest integer, halves away from zero, formed in 64 bits as the
// kernel does; -1 when c is 0 or the result does not fit 32 bits.
[[nodiscard]] constexpr int MulDiv(int a, int b, int c) {
    if (c == 0) return -1;
    const std::int64_t product = std::int64_t{a} * std::int64_t{b};
    std::int64_t quotient = product / c;
    const std::int64_t remainder = product % c;
    const std::int64_t twiceRemainder = remainder < 0 ? -2 * remainder : 2 * remainder;
    const std::int64_t divisor = c < 0 ? -std::int64_t{c} : std::int64_t{c};
    if (twiceRemainder >= divisor) quotient += ((product < 0) != (c < 0)) ? -1 : 1;
    if (quotient < INT32_MIN || quotient > INT32_MAX) return -1;
    return static_cast<int>(quotient);
}

// Writes the name's code page 932 bytes and a terminator into lfFaceName and clears the rest
// of the field. A name that needs more than 31 bytes cannot hold its terminator, so the empty
// name (the default face) is written instead; nothing is ever written past the field.
void setFaceName(LOGFONTA& font, const String& name);

// A font of normal weight in the default character set at the height (device pixels, negative
// for the em size), turned by the escapement (2700 for text running down a column).
[[nodiscard]] LOGFONTA textFontRecord(LONG height, LONG escapement, const String& face);

// One character in the code page, padded with its terminator to the two bytes that every
// text output of a single character passes.
[[nodiscard]] std::array<char, 2> ansiCharacter(char16_t c);

// The font a device context starts with selected: the window font, 12 points at 96 pixels
// per inch, normal weight.
[[nodiscard]] LOGFONTA stockFontRecord();

// The face name as text: the bytes of lfFaceName up to the first zero byte (or all 32 when
// none ends it), decoded as code page 932.
[[nodiscard]] String faceName(const LOGFONTA& font);

// Walks the text that TextOutA receives: the first `length` bytes, ended early by a zero
// byte, decoded as code page 932. Calls visit(character, isDoubleByte) for each character; a
// lead byte without its trail byte is a single character of its own.
template <typename Visit>
void forEachAnsiCharacter(const char* text, int length, Visit&& visit) {
    if (text == nullptr) return;
    for (int i = 0; i < length; ++i) {
        const auto byte = static_cast<std::uint8_t>(text[i]);
        if (byte == 0) return;
        if (CodePage932::isLeadByte(byte) && i + 1 < length && text[i + 1] != '\0') {
            const String pair =
                CodePage932::decodePair(byte, static_cast<std::uint8_t>(text[i + 1]));
            visit(pair.front(), true);
            ++i;
        } else {
            visit(CodePage932::decodeSingle(byte), false);
        }
    }
}

// The whole text of a TextOutA call, decoded as forEachAnsiCharacter walks it.
[[nodiscard]] String decodeAnsiText(const char* text, int length);

// True for the characters that stand upright in vertical text, as the double-byte characters
// of TextOutA do: those code page 932 holds in two bytes, and beyond it the wide characters of
// Unicode (ideographs of every plane, kana, Hangul, full-width forms, pictographs).
[[nodiscard]] bool isWideCharacter(char32_t c);

// Combining marks, voiced-sound marks and variation selectors: drawn with the character
// before them, never on their own.
[[nodiscard]] bool isClusterExtender(char32_t c);

// Walks the text that TextOutW receives, up to the first U+0000: each base character with the
// extenders after it, as visit(cluster, wide) with `wide` the base's isWideCharacter. An
// extender with no base before it is a cluster of its own.
template <typename Visit>
void forEachUnicodeCluster(std::u32string_view text, Visit&& visit) {
    const std::size_t end = std::min(text.size(), text.find(U'\0'));
    std::size_t start = 0;
    while (start < end) {
        std::size_t next = start + 1;
        while (next < end && isClusterExtender(text[next])) ++next;
        visit(text.substr(start, next - start), isWideCharacter(text[start]));
        start = next;
    }
}

}  // namespace tavelo
