#pragma once

#include <string>
#include <utility>

#include "common/Error.h"

// The runtime errors the classic controls raise, with their classic numbers.
namespace tavelo::controlerrors {

inline constexpr std::int32_t kControlArrayElementMissing = 340;
inline constexpr std::int32_t kObjectAlreadyLoaded = 360;
inline constexpr std::int32_t kInvalidPropertyValue = 380;
inline constexpr std::int32_t kPropertyReadOnly = 383;
inline constexpr std::int32_t kCancelSelected = 32755;

[[nodiscard]] inline Error invalidPropertyValue(std::string source) {
    return Error(kInvalidPropertyValue, std::move(source), "Invalid property value");
}
[[nodiscard]] inline Error propertyReadOnly(std::string source) {
    return Error(kPropertyReadOnly, std::move(source), "Property is read-only");
}
[[nodiscard]] inline Error controlArrayElementMissing(std::string source) {
    return Error(kControlArrayElementMissing, std::move(source),
                 "Control array element doesn't exist");
}
[[nodiscard]] inline Error objectAlreadyLoaded(std::string source) {
    return Error(kObjectAlreadyLoaded, std::move(source), "Object already loaded");
}
[[nodiscard]] inline Error cancelSelected(std::string source) {
    return Error(kCancelSelected, std::move(source), "Cancel was selected.");
}

}  // namespace tavelo::controlerrors
