#include "shell/window/ScreenFit.h"

#include <algorithm>

namespace tavelo {

QSize ScreenFit::clientSize(QSize wanted, QRect available, QSize around) {
    // On a screen smaller still than the smallest size, the screen wins: the frame stays on
    // it even if the view gets very small.
    const int roomWidth = std::max(available.width() - around.width(), 1);
    const int roomHeight = std::max(available.height() - around.height(), 1);
    return {std::min(wanted.width(), roomWidth), std::min(wanted.height(), roomHeight)};
}

QPoint ScreenFit::topLeft(QRect frame, QRect available) {
    const int x = std::clamp(frame.x(), available.left(),
                             std::max(available.left(), available.right() + 1 - frame.width()));
    const int y = std::clamp(frame.y(), available.top(),
                             std::max(available.top(), available.bottom() + 1 - frame.height()));
    return {x, y};
}

}  // namespace tavelo
