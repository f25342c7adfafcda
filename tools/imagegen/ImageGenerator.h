#pragma once

#include <QImage>

namespace tavelo {

// Draws the program's images from code, so that they can be made again exactly and changed
// in one place: the application icon (a page of vertical text with its ruby) and the
// pointers of the view's four click zones.
class ImageGenerator {
public:
    // The application icon, `size` pixels square.
    [[nodiscard]] static QImage applicationIcon(int size);

    // A 32 x 32 pointer: one arrow (a step) or two (a big step), pointing left or right.
    [[nodiscard]] static QImage pointer(bool pointsLeft, bool bigStep);
};

}  // namespace tavelo
