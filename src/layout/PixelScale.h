#pragma once

#include "common/ClassicTypes.h"

namespace tavelo {

// The scale a measuring device answers in. Devices start in twips, as a fresh picture box
// does, so a reading taken before the layout switched to pixels shows it.
class PixelScale {
public:
    static constexpr Integer kTwips = 1;
    static constexpr Integer kPixels = 3;
    static constexpr Single kTwipsPerPixel = 15;

    // Accepts kTwips and kPixels; any other mode is an invalid argument and keeps the mode.
    void setMode(Integer mode);
    [[nodiscard]] Integer mode() const { return mode_; }
    [[nodiscard]] Single fromPixels(Single pixels) const;

private:
    Integer mode_ = kTwips;
};

}  // namespace tavelo
