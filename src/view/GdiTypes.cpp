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
