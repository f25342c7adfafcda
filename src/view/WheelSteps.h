#pragma once

namespace tavelo {

// Turns the angle deltas of wheel events into whole scroll positions: one position per notch
// of a mouse wheel (120 eighths of a degree), and touchpad scrolling, which comes in small
// deltas, adds up until it makes a whole position. Turning the wheel towards the user
// (a negative delta) moves forward into the document.
class WheelSteps {
public:
    static constexpr int kNotch = 120;

    // The positions to move for this delta: positive forward, negative back.
    [[nodiscard]] int add(int angleDelta);
    void reset() { pending_ = 0; }

private:
    int pending_ = 0;
};

}  // namespace tavelo
