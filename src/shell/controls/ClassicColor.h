#pragma once

#include <QColor>

#include "common/ClassicTypes.h"

// Colours as the classic controls hold them: a Long laid out as 0x00BBGGRR.
namespace tavelo {

[[nodiscard]] constexpr Long RGB(int red, int green, int blue) {
    return static_cast<Long>((blue & 0xFF) << 16 | (green & 0xFF) << 8 | (red & 0xFF));
}

[[nodiscard]] inline QColor colorFromLong(Long color) {
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

[[nodiscard]] inline Long longFromColor(const QColor& color) {
    return RGB(color.red(), color.green(), color.blue());
}

}  // namespace tavelo
