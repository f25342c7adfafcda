#pragma once

#include "common/ClassicTypes.h"
#include "common/Table.h"

namespace tavelo {

class ScreenFontSource;

// Maps the typeface short names of a document ("M101", "ＭＳ 明朝") to the installed vertical
// font whose name ends with them. The font list is taken once, by ScreenFont; fonts installed
// later are not seen.
class CEisuuCyotai {
public:
    // Replaces the list by the platform's current list of screen fonts.
    void ScreenFont(const ScreenFontSource& screen);

    // "@ＭＳ 明朝" comes back unchanged; any other name gives the last listed font that begins
    // with "@" and ends with the name (exact comparison), or "" when none does. A name of more
    // than 255 characters fails with an overflow Error.
    [[nodiscard]] String ChangeLongFontName(const String& vShortFontName) const;

private:
    Integer fontCount_ = 0;
    Table<String> fonts_{"CEisuuCyotai.Fonts"};
};

}  // namespace tavelo
