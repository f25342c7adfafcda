#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tavelo::prose {

// A file's bytes as Unicode text. The encoding is chosen from the bytes: UTF-16 with a
// byte-order mark, UTF-8 with a byte-order mark, UTF-8 where the whole file is valid UTF-8
// and holds at least one multi-byte sequence, else CP932 (Aozora Bunko's files). Line ends are
// kept as they are (the notation reader splits CR LF, LF and CR). CP932 follows the mapping
// CP932 decoders agree on (0x8160 is U+FF5E, 0x815C U+2015, …). Bytes that do not decode
// become U+FFFD, each sequence counted.
struct DecodedText {
    std::u32string text;
    std::string encoding;  // "cp932", "utf-8", "utf-8-bom", "utf-16le", "utf-16be"
    std::size_t undecodable = 0;
};

[[nodiscard]] DecodedText decodeText(std::string_view bytes);

}  // namespace tavelo::prose
