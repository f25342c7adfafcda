#pragma once

#include <string>
#include <string_view>

#include "ClassicTypes.h"

// Conversions between the program's UTF-16 text and UTF-8 (the command line, JSON, file
// names from the system). Unpaired surrogates and malformed bytes become U+FFFD.
namespace tavelo::utf8 {

[[nodiscard]] std::string fromUtf16(std::u16string_view text);
[[nodiscard]] String toUtf16(std::string_view text);
// Code points (prose text) as UTF-8 and as UTF-16; surrogates and values above U+10FFFF
// become U+FFFD.
[[nodiscard]] std::string fromUtf32(std::u32string_view text);
[[nodiscard]] String utf32ToUtf16(std::u32string_view text);
// UTF-16 as code points; an unpaired surrogate becomes U+FFFD.
[[nodiscard]] std::u32string utf16ToUtf32(std::u16string_view text);
// True when every byte belongs to a well-formed UTF-8 sequence (no overlong forms, no
// surrogates, nothing above U+10FFFF): exactly the text toUtf16 decodes without U+FFFD.
[[nodiscard]] bool isValid(std::string_view text);

}  // namespace tavelo::utf8
