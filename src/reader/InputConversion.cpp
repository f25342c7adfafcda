#include "InputConversion.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <utility>

#include "common/CodePage932.h"
#include "common/Utf8.h"

namespace tavelo {
namespace {

constexpr std::uint8_t kCR = 13;
constexpr std::uint8_t kLF = 10;

bool startsWithByteOrderMark(const std::vector<std::uint8_t>& bytes) {
    return bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF;
}

// Shift-JIS text is almost never well-formed UTF-8 once it holds a double-byte character, and
// plain ASCII reads the same either way: only UTF-8 with a multi-byte sequence is taken as such.
bool isUtf8Text(const std::vector<std::uint8_t>& bytes) {
    const bool multiByte =
        std::any_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b >= 0x80; });
    if (!multiByte) return false;
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return utf8::isValid(text);
}

}  // namespace

InputConversion InputConversion::apply(std::vector<std::uint8_t>& bytes) {
    InputConversion done;
    const bool byteOrderMark = startsWithByteOrderMark(bytes);
    if (byteOrderMark || isUtf8Text(bytes)) {
        const std::size_t skip = byteOrderMark ? 3 : 0;
        const std::string_view text(reinterpret_cast<const char*>(bytes.data()) + skip,
                                    bytes.size() - skip);
        std::string encoded;
        done.replacedCharacters_ = CodePage932::encodeMarkingMissing(utf8::toUtf16(text), encoded);
        bytes.assign(encoded.begin(), encoded.end());
        done.fromUtf8_ = true;
    }
    const bool anyCR = std::find(bytes.begin(), bytes.end(), kCR) != bytes.end();
    const auto lineFeeds = std::count(bytes.begin(), bytes.end(), kLF);
    if (!anyCR && lineFeeds > 0) {
        std::vector<std::uint8_t> withCR;
        withCR.reserve(bytes.size() + static_cast<std::size_t>(lineFeeds));
        for (std::uint8_t b : bytes) {
            if (b == kLF) withCR.push_back(kCR);
            withCR.push_back(b);
        }
        bytes = std::move(withCR);
        done.lineFeedsAsCrLf_ = true;
    }
    return done;
}

}  // namespace tavelo
