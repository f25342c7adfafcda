#include "view/GdiTypes.h"

#include <algorithm>
#include <cstring>

namespace tavelo {

void setFaceName(LOGFONTA& font, const String& name) {
    std::memset(font.lfFaceName, 0, sizeof font.lfFaceName);
    const std::string bytes = CodePage932::encode(name);
    if (bytes.size() >= sizeof font.lfFaceName) return;  // no room for the terminator
    std::memcpy(font.lfFaceName, bytes.data(), bytes.size());
}

LOGFONTA textFontRecord(LONG height, LONG escapement, const String& face) {
    LOGFONTA font;
    font.lfHeight = height;
    font.lfEscapement = escapement;
    font.lfOrientation = escapement;
    font.lfWeight = 400;
    font.lfCharSet = 1;
    setFaceName(font, face);
    return font;
}

std::array<char, 2> ansiCharacter(char16_t c) {
    std::array<char, 2> bytes{0, 0};
    const CodePage932::EncodedChar encoded = CodePage932::encodeChar(c);
    bytes[0] = encoded.bytes[0];
    if (encoded.length == 2) bytes[1] = encoded.bytes[1];
    return bytes;
}

LOGFONTA stockFontRecord() {
    LOGFONTA font;
    font.lfHeight = -16;
    font.lfWeight = 400;
    font.lfCharSet = 1;
    setFaceName(font, u"ＭＳ ゴシック");
    return font;
}

String faceName(const LOGFONTA& font) {
    const char* begin = font.lfFaceName;
    const char* end = std::find(begin, begin + sizeof font.lfFaceName, '\0');
    return decodeAnsiText(begin, static_cast<int>(end - begin));
}

String decodeAnsiText(const char* text, int length) {
    String result;
    forEachAnsiCharacter(text, length, [&result](char16_t c, bool) { result.push_back(c); });
    return result;
}

bool isWideCharacter(char32_t c) {
    if (c <= 0xFFFF) {
        if (c < 0x80) return false;
        if (CodePage932::encodeChar(static_cast<char16_t>(c)).length == 2) return true;
    }
    // East Asian wide and full-width blocks that code page 932 does not (wholly) hold.
    struct Range {
        char32_t first;
        char32_t last;
    };
    static constexpr std::array<Range, 11> kWide{{
        {0x1100, 0x115F},  // Hangul leading jamo
        {0x2E80, 0x303E},  // CJK radicals, ideographic description, CJK symbols
        {0x3041, 0x33FF},  // kana, bopomofo, Hangul compatibility jamo, CJK compatibility
        {0x3400, 0x4DBF},  // CJK extension A
        {0x4E00, 0x9FFF},  // CJK unified ideographs
        {0xA960, 0xA97F},  // Hangul jamo extended A
        {0xAC00, 0xD7A3},  // Hangul syllables
        {0xF900, 0xFAFF},  // CJK compatibility ideographs
        {0xFE30, 0xFE6F},  // CJK compatibility forms, small form variants
        {0xFF01, 0xFF60},  // full-width forms
        {0xFFE0, 0xFFE6},
    }};
    for (const Range& range : kWide)
        if (c >= range.first && c <= range.last) return true;
    return (c >= 0x1F300 && c <= 0x1FAFF) ||  // pictographs
           (c >= 0x20000 && c <= 0x3FFFD);    // ideographs of planes 2 and 3
}

bool isClusterExtender(char32_t c) {
    return (c >= 0x0300 && c <= 0x036F) ||  // combining diacritical marks
           (c >= 0x1AB0 && c <= 0x1AFF) ||  // their extension
           (c >= 0x1DC0 && c <= 0x1DFF) ||  // and supplement
           (c >= 0x20D0 && c <= 0x20FF) ||  // combining marks for symbols
           c == 0x3099 || c == 0x309A ||    // combining voiced and semi-voiced sound marks
           (c >= 0xFE00 && c <= 0xFE0F) ||  // variation selectors
           (c >= 0xFE20 && c <= 0xFE2F) ||  // combining half marks
           (c >= 0xE0100 && c <= 0xE01EF);  // ideographic variation selectors
}

}  // namespace tavelo
