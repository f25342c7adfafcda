#pragma once

#include <functional>
#include <vector>

#include "layout/MeasuringDevice.h"
#include "layout/PixelScale.h"

namespace tavelo {

// A measuring device with a given inner size and a given text height per font size, both in
// pixels, so that layouts can be computed and checked without any font installed. It keeps
// the font sizes it was set to, in order.
class FixedMeasuringDevice : public MeasuringDevice {
public:
    // Text height in pixels for a font size in points.
    using TextHeightFunction = std::function<Single(Single points)>;

    FixedMeasuringDevice(Single widthPixels, Single heightPixels, TextHeightFunction textHeight);

    void ScaleMode(Integer vNewValue) override { scale_.setMode(vNewValue); }
    [[nodiscard]] Single ScaleWidth() const override { return scale_.fromPixels(width_); }
    [[nodiscard]] Single ScaleHeight() const override { return scale_.fromPixels(height_); }
    void FontSize(Single vNewValue) override;
    [[nodiscard]] Single TextHeight(const String& text) const override;

    void resize(Single widthPixels, Single heightPixels);
    [[nodiscard]] Integer scaleMode() const { return scale_.mode(); }
    [[nodiscard]] const std::vector<Single>& fontSizesSet() const { return fontSizesSet_; }

private:
    Single width_;
    Single height_;
    TextHeightFunction textHeight_;
    PixelScale scale_;
    Single fontSize_ = 9;
    std::vector<Single> fontSizesSet_;
};

}  // namespace tavelo
