#pragma once

#include "common/ClassicTypes.h"
#include "common/Rounding.h"

// The window's own lengths are twips (1/1440 inch); the screen has 15 twips to a pixel.
namespace tavelo::twips {

inline constexpr int kPerPixel = 15;

// Twips to whole pixels, to the nearest pixel (250 twips are 17 pixels).
[[nodiscard]] inline int toPixels(double twips) {
    return static_cast<int>(rounding::nearestEven(twips / kPerPixel));
}

[[nodiscard]] inline Single fromPixels(double pixels) {
    return static_cast<Single>(pixels * kPerPixel);
}

}  // namespace tavelo::twips
