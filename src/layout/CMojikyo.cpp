#include "CMojikyo.h"

#include <string>

#include "common/CheckedArithmetic.h"
#include "common/Utf8.h"

namespace tavelo {

String CMojikyo::DataChangeName(int vNewValue) {
    const Byte number = checked::toByte(vNewValue, "CMojikyo.DataChangeName");
    // 184 and 185 have no Mojikyo font.
    const bool hasFont = (number >= 101 && number <= 121) || (number >= 181 && number <= 183) ||
                         (number >= 186 && number <= 203);
    if (!hasFont) return u"@ＭＳ 明朝";
    return u"@Mojikyo M" + utf8::toUtf16(std::to_string(number));
}

}  // namespace tavelo
