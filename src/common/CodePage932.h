#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "ClassicTypes.h"

namespace tavelo {

// The one place where Shift-JIS bytes (code page 932, the Microsoft variant) become text and
// text becomes Shift-JIS bytes. Backed by glibc iconv ("CP932"), with the gaps filled as the
// Windows converter fills them: a lead byte with no mapping gives "・" (U+30FB), and the
// single bytes 80, A0, FD, FE, FF map to U+0080, U+F8F0..U+F8F3.
class CodePage932 {
public:
    // True for the bytes that start a double-byte character in code page 932 (81-9F, E0-FC).
    [[nodiscard]] static bool isLeadByte(std::uint8_t byte);

    // Decodes one byte on its own (ASCII, half-width katakana A1-DF, ...). A lead byte without
    // its trail byte decodes to "・".
    [[nodiscard]] static char16_t decodeSingle(std::uint8_t byte);

    // Decodes the pair as code page 932 decodes the two bytes in a row: one character when
    // `lead` is a lead byte, otherwise the two bytes as single characters (A1 41 gives "｡A").
    [[nodiscard]] static String decodePair(std::uint8_t lead, std::uint8_t trail);

    // Decodes a whole byte string: lead byte and trail byte as one character, every other
    // byte on its own (a lead byte at the end gives "・").
    [[nodiscard]] static String decode(std::string_view bytes);

    // Encodes text; characters code page 932 cannot hold become "?" as on Windows.
    [[nodiscard]] static std::string encode(const String& text);

    // Encodes text for reading it as a tl2 file: a character the code page cannot hold (a
    // surrogate pair counts as one) becomes the geta mark "〓" (81 AC), which, unlike "?",
    // stays a full-width body character. Returns how many characters were replaced.
    static std::size_t encodeMarkingMissing(std::u16string_view text, std::string& out);

    // The bytes of one character (one or two; "?" when the code page cannot hold it), from a
    // table filled on first use of each character, for callers that encode on a hot path.
    struct EncodedChar {
        char bytes[2];
        int length;
    };
    [[nodiscard]] static EncodedChar encodeChar(char16_t c);
};

}  // namespace tavelo
