#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "common/CodePage932.h"
#include "common/Error.h"
#include "support/ErrorNumbers.h"
#include "common/Utf8.h"

namespace tavelo::testing {

// A tl2 file's bytes written as readable UTF-8 in the test: the text is encoded to Shift-JIS.
inline std::vector<std::uint8_t> sjis(std::string_view utf8Text) {
    const std::string bytes = CodePage932::encode(utf8::toUtf16(utf8Text));
    return {bytes.begin(), bytes.end()};
}


}  // namespace tavelo::testing
