#include "CEisuuCyotai.h"

#include <utility>

#include "ScreenFontSource.h"
#include "common/CheckedArithmetic.h"

namespace tavelo {
namespace {

const String kBodyFont = u"@ＭＳ 明朝";

}  // namespace

void CEisuuCyotai::ScreenFont(const ScreenFontSource& screen) {
    const Integer count = screen.FontCount();
    Table<String> fonts("CEisuuCyotai.Fonts");
    fonts.redim(0, count - 1);
    for (Integer i = 0; i < count; ++i) fonts.at(i) = screen.Fonts(i);
    fontCount_ = count;
    fonts_ = std::move(fonts);
}

String CEisuuCyotai::ChangeLongFontName(const String& vShortFontName) const {
    // The length of the name is held in a Byte.
    (void)checked::toByte(static_cast<std::int64_t>(vShortFontName.size()), "ChangeLongFontName");
    if (vShortFontName == kBodyFont) return vShortFontName;
    String result;
    // The scan runs to the end: the last matching font wins.
    for (Integer i = 0; i < fontCount_; ++i) {
        const String& font = fonts_.at(i);
        if (font.ends_with(vShortFontName) && font.starts_with(u'@')) result = font;
    }
    return result;
}

}  // namespace tavelo
