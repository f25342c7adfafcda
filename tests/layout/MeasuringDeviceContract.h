#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

#include "layout/MeasuringDevice.h"
#include "reader/Tl2TestBytes.h"

namespace tavelo::testing {

// What the layout relies on from every measuring device. Instantiate with a factory type that
// has `static std::unique_ptr<MeasuringDevice> make(int widthPixels, int heightPixels)`.
template <class Factory>
class MeasuringDeviceContract : public ::testing::Test {
protected:
    std::unique_ptr<MeasuringDevice> device = Factory::make(300, 200);
};

TYPED_TEST_SUITE_P(MeasuringDeviceContract);

TYPED_TEST_P(MeasuringDeviceContract, freshDevice_answersInTwips) {
    EXPECT_EQ(this->device->ScaleWidth(), 4500.0f);
    EXPECT_EQ(this->device->ScaleHeight(), 3000.0f);
}

TYPED_TEST_P(MeasuringDeviceContract, pixelMode_answersTheInnerSizeInPixels) {
    this->device->ScaleMode(3);
    EXPECT_EQ(this->device->ScaleWidth(), 300.0f);
    EXPECT_EQ(this->device->ScaleHeight(), 200.0f);
}

TYPED_TEST_P(MeasuringDeviceContract, textHeightInTwips_isFifteenTimesThePixels) {
    this->device->FontSize(12);
    this->device->ScaleMode(3);
    const Single pixels = this->device->TextHeight(u"あ");
    this->device->ScaleMode(1);
    EXPECT_EQ(this->device->TextHeight(u"あ"), pixels * 15);
}

TYPED_TEST_P(MeasuringDeviceContract, textHeight_neverShrinksAsTheSizeGrows) {
    this->device->ScaleMode(3);
    Single previous = 0;
    for (int size = 2; size <= 72; size += 2) {
        this->device->FontSize(static_cast<Single>(size));
        const Single height = this->device->TextHeight(u"あ");
        EXPECT_GE(height, previous) << size;
        previous = height;
    }
    EXPECT_GT(previous, 0.0f);
}

TYPED_TEST_P(MeasuringDeviceContract, unknownScaleMode_failsAndKeepsTheMode) {
    this->device->ScaleMode(3);
    EXPECT_EQ(errorNumberOf([&] { this->device->ScaleMode(2); }), Error::kInvalidArgument);
    EXPECT_EQ(this->device->ScaleWidth(), 300.0f);
}

TYPED_TEST_P(MeasuringDeviceContract, fontSizeNotPositive_failsAndKeepsTheSize) {
    this->device->ScaleMode(3);
    this->device->FontSize(24);
    const Single height = this->device->TextHeight(u"あ");
    EXPECT_EQ(errorNumberOf([&] { this->device->FontSize(0); }), Error::kInvalidArgument);
    EXPECT_EQ(errorNumberOf([&] { this->device->FontSize(-2); }), Error::kInvalidArgument);
    EXPECT_EQ(
        errorNumberOf([&] { this->device->FontSize(std::numeric_limits<Single>::quiet_NaN()); }),
        5);
    EXPECT_EQ(this->device->TextHeight(u"あ"), height);
}

REGISTER_TYPED_TEST_SUITE_P(MeasuringDeviceContract, freshDevice_answersInTwips,
                            pixelMode_answersTheInnerSizeInPixels,
                            textHeightInTwips_isFifteenTimesThePixels,
                            textHeight_neverShrinksAsTheSizeGrows,
                            unknownScaleMode_failsAndKeepsTheMode,
                            fontSizeNotPositive_failsAndKeepsTheSize);

}  // namespace tavelo::testing
