#pragma once

#include <QPixmap>

// The toolbar's images, drawn pixel by pixel so that they stay sharp: 16 x 16 on a
// transparent background. The windows' icon is ApplicationIcon.
namespace tavelo::shellimages {

[[nodiscard]] QPixmap openFile();
// A page of many narrow vertical lines: the small style.
[[nodiscard]] QPixmap smallFont();
// A page of two lines of large characters: the large style.
[[nodiscard]] QPixmap largeFont();
[[nodiscard]] QPixmap refresh();

}  // namespace tavelo::shellimages
