#pragma once

#include <cstdint>
#include <string>

// The value widths the whole program works in. Integer and Long arithmetic is checked
// (see CheckedArithmetic.h): a result outside the type is an overflow, never a wrap.
namespace tavelo {

using Integer = std::int16_t;   // 16-bit signed
using Long = std::int32_t;      // 32-bit signed
using Single = float;           // 32-bit float
using Double = double;          // 64-bit float
using Byte = std::uint8_t;      // 8-bit unsigned
using String = std::u16string;  // UTF-16 text; Len() counts code units

// Flags that cross interfaces as Integers: -1 for true, 0 for false.
inline constexpr Integer kTrueFlag = -1;
inline constexpr Integer kFalseFlag = 0;

[[nodiscard]] constexpr Integer toFlag(bool value) {
    return value ? kTrueFlag : kFalseFlag;
}

}  // namespace tavelo
