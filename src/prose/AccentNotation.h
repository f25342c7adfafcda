#pragma once

#include <string>
#include <string_view>

namespace tavelo::prose {

// Aozora Bunko's accent notation: the text of one 〔…〕 (without the brackets) with every
// letter-and-mark sequence of the published accent table turned into its letter (e'  → é,
// a` → à, u: → ü, a^ → â, n~ → ñ, c, → ç, ae& → æ, s& → ß, !@ → ¡, ?@ → ¿, …). The entries of
// a letter with ' or , that in Aozora Bunko's texts are elisions and commas (ć ĺ ḿ ń ŕ ś ź ş
// ţ and their capitals) are not applied. `decoded` counts the sequences turned.
struct AccentResult {
    std::u32string text;
    int decoded = 0;
};

[[nodiscard]] AccentResult decodeAccents(std::u32string_view inside);

}  // namespace tavelo::prose
