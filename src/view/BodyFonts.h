#pragma once

#include <unordered_map>

#include "common/ClassicTypes.h"
#include "view/GdiTypes.h"

namespace tavelo {

class CEisuuCyotai;

// The vertical font records of the body text, by typeface short name, for one height at a
// time: a record is looked up once per name and height, not once per character.
class BodyFonts {
public:
    explicit BodyFonts(const CEisuuCyotai& fonts) : fonts_(fonts) {}

    // The record of `shortName` at `height` (a new height forgets the records of the last).
    // A name too long to look up names no installed font: the default face draws it rather
    // than ending the whole drawing.
    [[nodiscard]] const LOGFONTA& at(const String& shortName, LONG height);

private:
    const CEisuuCyotai& fonts_;
    std::unordered_map<String, LOGFONTA> records_;
    LONG height_ = 0;
};

}  // namespace tavelo
