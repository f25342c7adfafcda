#pragma once

#include <QIcon>
#include <QPixmap>

// The program's own pictures, drawn pixel by pixel so that they stay sharp: the toolbar
// images (16 x 16, transparent background) and the window icon (32 x 32 and 16 x 16).
namespace tavelo::shellimages {

[[nodiscard]] QPixmap openFile();
// A page of many narrow vertical lines: the small style.
[[nodiscard]] QPixmap smallFont();
// A page of two lines of large characters: the large style.
[[nodiscard]] QPixmap largeFont();
[[nodiscard]] QPixmap refresh();
[[nodiscard]] QIcon windowIcon();

}  // namespace tavelo::shellimages
