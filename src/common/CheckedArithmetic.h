#pragma once

#include <cstdint>
#include <limits>

#include "ClassicTypes.h"
#include "Error.h"

// Integer (16-bit) and Long (32-bit) arithmetic as the classic runtime does it: the result is
// formed exactly and must fit the type, otherwise the operation fails with an overflow.
namespace tavelo::checked {

[[nodiscard]] inline Integer toInteger(std::int64_t value, const char* source = "Integer") {
    if (value < std::numeric_limits<Integer>::min() || value > std::numeric_limits<Integer>::max())
        throw Error::overflow(source);
    return static_cast<Integer>(value);
}

[[nodiscard]] inline Long toLong(std::int64_t value, const char* source = "Long") {
    if (value < std::numeric_limits<Long>::min() || value > std::numeric_limits<Long>::max())
        throw Error::overflow(source);
    return static_cast<Long>(value);
}

[[nodiscard]] inline Byte toByte(std::int64_t value, const char* source = "Byte") {
    if (value < 0 || value > 255) throw Error::overflow(source);
    return static_cast<Byte>(value);
}

[[nodiscard]] inline Integer add(Integer a, Integer b) {
    return toInteger(std::int64_t{a} + std::int64_t{b});
}
[[nodiscard]] inline Integer sub(Integer a, Integer b) {
    return toInteger(std::int64_t{a} - std::int64_t{b});
}
[[nodiscard]] inline Integer mul(Integer a, Integer b) {
    return toInteger(std::int64_t{a} * std::int64_t{b});
}
[[nodiscard]] inline Long add(Long a, Long b) {
    return toLong(std::int64_t{a} + std::int64_t{b});
}
[[nodiscard]] inline Long sub(Long a, Long b) {
    return toLong(std::int64_t{a} - std::int64_t{b});
}
[[nodiscard]] inline Long mul(Long a, Long b) {
    return toLong(std::int64_t{a} * std::int64_t{b});
}

// "\": integer division truncating towards zero; a zero divisor is a division-by-zero failure.
[[nodiscard]] inline Integer intDiv(Integer a, Integer b) {
    if (b == 0) throw Error::divisionByZero("Integer division");
    return toInteger(std::int64_t{a} / std::int64_t{b});
}

}  // namespace tavelo::checked
