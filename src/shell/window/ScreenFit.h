#pragma once

#include <QRect>
#include <QSize>

namespace tavelo {

// Where the main window goes on a screen: never larger than the screen's free area, and never
// kept from fitting by its smallest size.
//
// Given: the client area the window wants (the classic size), the screen's free area, the
// size the frame and the menu bar add around the client area, and the window's frame now.
// Calculated: the client size to take, and the frame's top-left corner that keeps the whole
// frame on the free area.
class ScreenFit {
public:
    // The smallest client area: the toolbar row, the status bar and a strip of view between.
    static constexpr int kMinimumClientWidth = 320;
    static constexpr int kMinimumClientHeight = 3 * 28 + 60;

    [[nodiscard]] static QSize clientSize(QSize wanted, QRect available, QSize around);
    [[nodiscard]] static QPoint topLeft(QRect frame, QRect available);
};

}  // namespace tavelo
