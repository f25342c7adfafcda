#pragma once

#include <vector>

#include "layout/ScreenFontSource.h"

namespace tavelo {

// The installed screen fonts, taken from Qt's font database once, at construction: every
// family in code-unit order of its name, each family that can write Japanese followed at once
// by its vertical variant "@" + family (the family names keep Qt's "[foundry]" suffix where
// two foundries share a name). Since the font-name lookup lets the last match win, a short
// name matching several vertical fonts resolves to the one whose family sorts last.
// Needs a QGuiApplication.
class QtScreenFonts : public ScreenFontSource {
public:
    QtScreenFonts();

    [[nodiscard]] Integer FontCount() const override;
    [[nodiscard]] String Fonts(Integer i) const override;

private:
    std::vector<String> fonts_;
};

}  // namespace tavelo
