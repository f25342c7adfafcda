#pragma once

#include "common/ClassicTypes.h"

namespace tavelo {

// The surface the layout measures on: its inner size and the height of text in its own font.
// The calculator uses exactly these five operations.
//
// Contract: ScaleMode takes 3 (pixels) or 1 (twips, 15 per pixel); any other mode fails with
// an invalid-argument Error and keeps the mode. ScaleWidth, ScaleHeight and TextHeight answer
// in the current mode. FontSize is in points and must be positive and finite (otherwise an
// invalid-argument Error, the size stays). TextHeight is the height of one line of text in the
// device's font at the size set last; it does not shrink when the size grows.
class MeasuringDevice {
public:
    virtual ~MeasuringDevice() = default;

    virtual void ScaleMode(Integer vNewValue) = 0;
    [[nodiscard]] virtual Single ScaleWidth() const = 0;
    [[nodiscard]] virtual Single ScaleHeight() const = 0;
    virtual void FontSize(Single vNewValue) = 0;
    [[nodiscard]] virtual Single TextHeight(const String& text) const = 0;
};

}  // namespace tavelo
