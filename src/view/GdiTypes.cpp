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

}  // namespace tavelo
