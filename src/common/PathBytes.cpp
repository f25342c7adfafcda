#include "PathBytes.h"

#include "CodePage932.h"
#include "Utf8.h"

namespace tavelo {
namespace {

constexpr char16_t kFirstKeptByte = 0xDC80;
constexpr char16_t kLastKeptByte = 0xDCFF;

bool isKeptByte(char16_t c) {
    return c >= kFirstKeptByte && c <= kLastKeptByte;
}

// Calls part(begin, end) for each stretch between "/" and separator() for each "/".
template <class Text, class Part, class Separator>
void forEachPart(const Text& text, Part&& part, Separator&& separator) {
    std::size_t begin = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == '/') {
            part(text.substr(begin, i - begin));
            if (i < text.size()) separator();
            begin = i + 1;
        }
    }
}

}  // namespace

String PathBytes::fromSystem(std::string_view bytes) {
    String path;
    forEachPart(
        bytes,
        [&](std::string_view part) {
            if (utf8::isValid(part)) {
                path += utf8::toUtf16(part);
                return;
            }
            for (char byte : part) {
                const auto b = static_cast<unsigned char>(byte);
                path.push_back(b < 0x80 ? char16_t{b} : static_cast<char16_t>(0xDC00 + b));
            }
        },
        [&] { path.push_back(u'/'); });
    return path;
}

std::string PathBytes::toSystem(std::u16string_view path) {
    std::string bytes;
    std::size_t textBegin = 0;
    for (std::size_t i = 0; i < path.size(); ++i) {
        // A low surrogate completing a pair is text, not a kept byte.
        const bool paired = i > 0 && path[i - 1] >= 0xD800 && path[i - 1] <= 0xDBFF;
        if (isKeptByte(path[i]) && !paired) {
            bytes += utf8::fromUtf16(path.substr(textBegin, i - textBegin));
            bytes.push_back(static_cast<char>(path[i] - 0xDC00));
            textBegin = i + 1;
        }
    }
    bytes += utf8::fromUtf16(path.substr(textBegin));
    return bytes;
}

String PathBytes::display(std::u16string_view path) {
    String shown;
    forEachPart(
        path,
        [&](std::u16string_view part) {
            bool kept = false;
            for (char16_t c : part) kept = kept || isKeptByte(c);
            shown += kept ? CodePage932::decode(toSystem(part)) : String(part);
        },
        [&] { shown.push_back(u'/'); });
    return shown;
}

String PathBytes::fileName(std::u16string_view path) {
    const auto slash = path.rfind(u'/');
    return String(slash == std::u16string_view::npos ? path : path.substr(slash + 1));
}

bool PathBytes::lostBytes(std::u16string_view path) {
    return path.find(u'\uFFFD') != std::u16string_view::npos;
}

}  // namespace tavelo
