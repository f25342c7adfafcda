#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tavelo {

// What was done to a file's bytes before the parse, for text written as Linux editors write
// it; the parse itself always sees code page 932 with CR LF line ends.
//
// Given: the file's bytes. Calculated, in this order:
// - UTF-8: bytes that start with the byte-order mark EF BB BF, or that are well-formed UTF-8
//   throughout and hold at least one multi-byte sequence, are re-encoded in code page 932; a
//   character the code page cannot hold (and a malformed sequence after a byte-order mark)
//   becomes "〓".
// - Line ends: bytes with no CR at all have each LF replaced by CR LF.
// A file that already is code page 932 with CR LF line ends is left exactly as it is. The
// format's limits then apply to the bytes as converted.
class InputConversion {
public:
    InputConversion() = default;

    // Converts the bytes in place and returns what was done.
    [[nodiscard]] static InputConversion apply(std::vector<std::uint8_t>& bytes);

    [[nodiscard]] bool fromUtf8() const { return fromUtf8_; }
    [[nodiscard]] bool lineFeedsAsCrLf() const { return lineFeedsAsCrLf_; }
    // Characters of a UTF-8 file that code page 932 cannot hold, now "〓".
    [[nodiscard]] std::size_t replacedCharacters() const { return replacedCharacters_; }
    [[nodiscard]] bool converted() const { return fromUtf8_ || lineFeedsAsCrLf_; }

private:
    bool fromUtf8_ = false;
    bool lineFeedsAsCrLf_ = false;
    std::size_t replacedCharacters_ = 0;
};

}  // namespace tavelo
