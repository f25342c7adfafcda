#include "PixelScale.h"

#include "common/Error.h"

namespace tavelo {

void PixelScale::setMode(Integer mode) {
    if (mode != kTwips && mode != kPixels) throw Error::invalidArgument("ScaleMode");
    mode_ = mode;
}

Single PixelScale::fromPixels(Single pixels) const {
    return mode_ == kTwips ? pixels * kTwipsPerPixel : pixels;
}

}  // namespace tavelo
