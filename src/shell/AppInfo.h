#pragma once

// What the program calls itself.
namespace tavelo::appinfo {

inline constexpr char16_t kTitle[] = u"Tavelo";
inline constexpr char kVersion[] = "2.7.2";

}  // namespace tavelo::appinfo
