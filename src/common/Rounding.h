#pragma once

#include <cmath>

#include "CheckedArithmetic.h"
#include "ClassicTypes.h"

// The classic conversions between floating point and whole numbers.
namespace tavelo::rounding {

// Int(v): the floor of v, towards minus infinity (Int(-2.5) = -3).
[[nodiscard]] inline double floorInt(double value) {
    return std::floor(value);
}

// Nearest integer with halves going to the even neighbour (2.5 -> 2, 3.5 -> 4).
[[nodiscard]] inline double nearestEven(double value) {
    return std::nearbyint(value);
}

// CLng and CInt: nearest, halves to even, then checked against the type's range.
[[nodiscard]] inline Long roundToLong(double value) {
    const double r = nearestEven(value);
    if (!(r >= -2147483648.0 && r <= 2147483647.0)) throw Error::overflow("CLng");
    return static_cast<Long>(r);
}
[[nodiscard]] inline Integer roundToInteger(double value) {
    const double r = nearestEven(value);
    if (!(r >= -32768.0 && r <= 32767.0)) throw Error::overflow("CInt");
    return static_cast<Integer>(r);
}

// Assignment to a Single: the value is narrowed to single precision; a finite value beyond
// the range of a Single is an overflow.
[[nodiscard]] inline Single toSingle(double value) {
    const auto narrowed = static_cast<Single>(value);
    if (std::isinf(narrowed) && !std::isinf(value)) throw Error::overflow("CSng");
    return narrowed;
}

// Int(v) stored in a Long.
[[nodiscard]] inline Long floorToLong(double value) {
    const double r = std::floor(value);
    if (!(r >= -2147483648.0 && r <= 2147483647.0)) throw Error::overflow("Int");
    return static_cast<Long>(r);
}

}  // namespace tavelo::rounding
