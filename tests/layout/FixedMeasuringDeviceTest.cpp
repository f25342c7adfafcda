#include <gtest/gtest.h>

#include "MeasuringDeviceContract.h"
#include "support/FixedMeasuringDevice.h"

namespace tavelo::testing {
namespace {

struct FixedDeviceFactory {
    static std::unique_ptr<MeasuringDevice> make(int widthPixels, int heightPixels) {
        return std::make_unique<FixedMeasuringDevice>(
            static_cast<Single>(widthPixels), static_cast<Single>(heightPixels),
            [](Single points) { return std::round(points * 4 / 3); });
    }
};

}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Fixed, MeasuringDeviceContract, FixedDeviceFactory);

}  // namespace tavelo::testing
