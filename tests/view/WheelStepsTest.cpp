#include <gtest/gtest.h>

#include "view/WheelSteps.h"

namespace tavelo {
namespace {

TEST(WheelStepsTest, notchTowardsTheUser_movesOnePositionForward) {
    WheelSteps wheel;
    EXPECT_EQ(wheel.add(-120), 1);
    EXPECT_EQ(wheel.add(120), -1);
    EXPECT_EQ(wheel.add(-360), 3);
}

TEST(WheelStepsTest, touchpadDeltas_addUpToWholePositions) {
    WheelSteps wheel;
    EXPECT_EQ(wheel.add(-50), 0);
    EXPECT_EQ(wheel.add(-50), 0);
    EXPECT_EQ(wheel.add(-50), 1);  // 150: one position, 30 left over
    EXPECT_EQ(wheel.add(-90), 1);
    EXPECT_EQ(wheel.add(-10), 0);
}

TEST(WheelStepsTest, turningBack_dropsWhatWasLeftOver) {
    WheelSteps wheel;
    EXPECT_EQ(wheel.add(-100), 0);
    EXPECT_EQ(wheel.add(40), 0);  // not 60 towards the next forward position
    EXPECT_EQ(wheel.add(80), -1);
}

}  // namespace
}  // namespace tavelo
