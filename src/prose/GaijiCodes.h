#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tavelo::prose {

// The character a gaiji note names, from the body of ※［＃…］ (what stands between ［＃ and
// ］): a JIS X 0213 plane-row-cell code "第3水準1-85-54" or "第4水準2-1-3" (through glibc
// iconv's EUC-JISX0213; the result may be outside the BMP or two code points), or a Unicode
// code "U+XXXX" / "u+xxxx" anywhere in the body. Nothing when the body carries no usable code.
[[nodiscard]] std::optional<std::u32string> gaijiCharacter(std::u32string_view noteBody);

}  // namespace tavelo::prose
