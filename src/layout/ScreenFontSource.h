#pragma once

#include "common/ClassicTypes.h"

namespace tavelo {

// The list of installed screen fonts as the platform reports it, vertical variants ("@" and
// the family name) included. Entries are numbered 0..FontCount() - 1; an index outside fails
// with a subscript-out-of-range Error.
class ScreenFontSource {
public:
    virtual ~ScreenFontSource() = default;

    [[nodiscard]] virtual Integer FontCount() const = 0;
    [[nodiscard]] virtual String Fonts(Integer i) const = 0;
};

}  // namespace tavelo
