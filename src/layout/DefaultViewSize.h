#pragma once

namespace tavelo {

// The drawing area of a freshly started main window's view, in pixels: the client area is 6765
// twips (451 pixels) wide and the bordered view inside it draws on 449 x 624. The command line,
// the printers and the benchmarks lay documents out on it unless told otherwise, so that what
// they make matches what the window shows.
inline constexpr int kDefaultViewWidth = 449;
inline constexpr int kDefaultViewHeight = 624;

}  // namespace tavelo
