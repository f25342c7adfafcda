#include "support/FixedMeasuringDevice.h"

#include <cmath>
#include <utility>

#include "common/Error.h"

namespace tavelo {

FixedMeasuringDevice::FixedMeasuringDevice(Single widthPixels, Single heightPixels,
                                           TextHeightFunction textHeight)
    : width_(widthPixels), height_(heightPixels), textHeight_(std::move(textHeight)) {}

void FixedMeasuringDevice::FontSize(Single vNewValue) {
    if (!(std::isfinite(vNewValue) && vNewValue > 0))
        throw Error::invalidArgument("FixedMeasuringDevice.FontSize");
    fontSize_ = vNewValue;
    fontSizesSet_.push_back(vNewValue);
}

Single FixedMeasuringDevice::TextHeight(const String& /*text*/) const {
    return scale_.fromPixels(textHeight_(fontSize_));
}

void FixedMeasuringDevice::resize(Single widthPixels, Single heightPixels) {
    width_ = widthPixels;
    height_ = heightPixels;
}

}  // namespace tavelo
