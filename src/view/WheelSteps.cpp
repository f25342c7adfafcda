#include "WheelSteps.h"

namespace tavelo {

int WheelSteps::add(int angleDelta) {
    // A turn the other way drops what was left over from this one.
    if ((pending_ > 0 && angleDelta < 0) || (pending_ < 0 && angleDelta > 0)) pending_ = 0;
    pending_ += angleDelta;
    const int notches = pending_ / kNotch;  // towards zero
    pending_ -= notches * kNotch;
    return -notches;
}

}  // namespace tavelo
