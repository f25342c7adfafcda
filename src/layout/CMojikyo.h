#pragma once

#include "common/ClassicTypes.h"

namespace tavelo {

// The vertical Mojikyo font of a Mojikyo font number.
class CMojikyo {
public:
    // vNewValue is a Byte: outside 0..255 it fails with an overflow Error. Numbers 101..121,
    // 181..183 and 186..203 give "@Mojikyo M" and the number; every other number the body font
    // "@ＭＳ 明朝".
    [[nodiscard]] static String DataChangeName(int vNewValue);
};

}  // namespace tavelo
