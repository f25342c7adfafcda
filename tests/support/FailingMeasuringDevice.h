#pragma once

#include "common/Error.h"
#include "layout/MeasuringDevice.h"

namespace tavelo::testing {

// A measuring device that fails as soon as a layout sets its scale, to see a failing layout step.
class FailingMeasuringDevice : public MeasuringDevice {
public:
    void ScaleMode(Integer) override { throw Error::overflow("FailingMeasuringDevice"); }
    [[nodiscard]] Single ScaleWidth() const override { return 0; }
    [[nodiscard]] Single ScaleHeight() const override { return 0; }
    void FontSize(Single) override {}
    [[nodiscard]] Single TextHeight(const String&) const override { return 0; }
};

}  // namespace tavelo::testing
