#pragma once

#include <QIcon>

// The toolbar's images, drawn pixel by pixel so that they stay sharp: 16 x 16 on a
// transparent background, and 32 x 32 for a display at scale 2, which would otherwise blow the
// small image up and blur it. The windows' icon is ApplicationIcon.
namespace tavelo::shellimages {

[[nodiscard]] QIcon openFile();
// A page of many narrow vertical lines: the small style.
[[nodiscard]] QIcon smallFont();
// A page of two lines of large characters: the large style.
[[nodiscard]] QIcon largeFont();
[[nodiscard]] QIcon refresh();

}  // namespace tavelo::shellimages
