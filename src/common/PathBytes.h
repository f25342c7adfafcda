#pragma once

#include <string>
#include <string_view>

#include "ClassicTypes.h"

namespace tavelo {

// File names as the system holds them: bytes. The program's text is UTF-16, and a name that is
// not UTF-8 (a Shift-JIS name from an old archive) cannot be decoded without losing its bytes.
// Such a name travels in a String with each of its bytes 80-FF kept as the lone surrogate
// U+DC80-U+DCFF (its ASCII bytes stay as they are), so that opening the file gives the system
// the very bytes it named. Each part between "/" is decoded on its own: a UTF-8 folder keeps
// its readable name around a Shift-JIS file name.
class PathBytes {
public:
    // The path of bytes the system gave (a command-line argument, a directory entry).
    [[nodiscard]] static String fromSystem(std::string_view bytes);
    // The bytes to open: the inverse of fromSystem; other text is written as UTF-8.
    [[nodiscard]] static std::string toSystem(std::u16string_view path);
    // The path for people to read: a part kept as bytes is decoded as code page 932.
    [[nodiscard]] static String display(std::u16string_view path);
    // The part after the last "/".
    [[nodiscard]] static String fileName(std::u16string_view path);
    // True when the path holds U+FFFD: a name that lost its bytes before it reached the
    // program (a dialog or a drop that passed it as text), so no file can be found by it.
    [[nodiscard]] static bool lostBytes(std::u16string_view path);
};

}  // namespace tavelo
